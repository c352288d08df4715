#pragma once

#include <QByteArray>

#include "edit/track_edit_command.h"

#include "rom/result.h"
#include "track/track_model.h"

#include <QString>

// Editing the current object of the loaded track in memory; nothing reaches the image until the
// track is saved. No windows here: the main window's handlers only wire these.
namespace whoopline::edit {

// Replaces the current object by objectNumber (a one-byte id 0..49 or a span code 64..70, with
// length 0..255 for a span). The replaced object is unmarked and CurrentObject stays where it is.
// A one-byte object that becomes a span takes the place of the object after it; when that was a
// span, the byte it frees becomes an object 0 at the track's end (see RefillFreedBytes). A span
// that becomes a one-byte object leaves an object 0 after it. A span on the budget's last byte,
// whose length is the byte after the region, leaves nothing after it: that byte never was the
// track's. Refuses, leaving the model unchanged, when no track is loaded, the number or length
// is out of range, or the last object would grow past the region.
Status ReplaceCurrentObject(track::TrackModel &model, int objectNumber, int length,
                            const track::ObjectWidthTable &widths);

// The user clicked the alternative box, which now shows checked. Sets or clears bit 7 of a
// one-byte current object (and its Alternative); a span can't carry the mark and stays as it is.
// Returns the state the box must show afterwards: bit 7 of the current object's byte 1, and
// false for a span or when no track is loaded.
bool ToggleAlternative(track::TrackModel &model, bool checked);

// Whether the current object can carry the alternative mark, and if not, why: the reason a
// greyed-out alternative box gives.
Status CanMarkCurrentObject(const track::TrackModel &model);

// A span dragged from the palette starts one block long; the selector changes its length.
constexpr int PaletteSpanLength = 1;

// The bytes of catalogue entry listIndex (0..44) as the palette drags them.
QByteArray CatalogueEntryBytes(int listIndex);

// Replaces the current object by catalogue entry listIndex as the selector's OK does, unmarked;
// a span keeps the length of a span it replaces, else it starts PaletteSpanLength long. The
// selection collapses to the current object. Refusals are the replacement's.
Status ReplaceWithCatalogueEntry(TrackEditState &state, int listIndex,
                                 const track::ObjectWidthTable &widths);

} // namespace whoopline::edit
