#pragma once

#include "edit/track_edit_command.h"
#include "rom/result.h"

#include <QByteArray>
#include <QString>

// Edits of the selected run of objects (object_selection.h). Each changes the state only when it
// succeeds; a refusal leaves it exactly as it was and says why. The track's byte total never
// changes: what an insert adds comes out of the free bytes at the track's end (free_bytes.h), and
// what a removal frees goes back there.
namespace whoopline::edit {

// Removes the run and refills its bytes with objects 0 at the track's end. The object after the
// run (or the last one) becomes current alone.
Status DeleteObjects(TrackEditState &state, const track::ObjectWidthTable &widths);

// DeleteObjects, handing the run's bytes to cutBytes, which only a success changes.
Status CutObjects(TrackEditState &state, const track::ObjectWidthTable &widths,
                  QByteArray &cutBytes);

// Inserts the objects of objectBytes before the object at index (the object count appends) and
// selects them, taking their bytes from the free bytes. Refuses, naming verb ("insert"), bytes
// the catalogue doesn't hold and too few free bytes: "The 5 bytes to paste need 5 free bytes;
// track 4 has 2. Delete objects first."
Status InsertObjects(TrackEditState &state, int index, const QByteArray &objectBytes,
                     const QString &verb, const track::ObjectWidthTable &widths);

// InsertObjects before the current object.
Status PasteObjects(TrackEditState &state, const QByteArray &objectBytes,
                    const track::ObjectWidthTable &widths);

// InsertObjects of a copy of the run right after it; the copy becomes the selection.
Status DuplicateObjects(TrackEditState &state, const track::ObjectWidthTable &widths);

// The run swaps places with the object before (after) it, and the selection follows. Refused at
// the track's start (end), and when the track's last object takes its length from the byte after
// the region: that object has to stay last, or a save would change the next track's laps byte.
Status MoveObjectsLeft(TrackEditState &state);
Status MoveObjectsRight(TrackEditState &state);

} // namespace whoopline::edit
