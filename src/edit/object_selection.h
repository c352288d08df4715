#pragma once

#include "edit/track_edit_command.h"

#include <QByteArray>
#include <QString>

// The selection: a run of neighbouring objects from an anchor to the current object, both
// included. Without an anchor the run is the current object alone, as every edit of one object
// expects; the run edits (object_run_edits.h) work on the whole run.
namespace whoopline::edit {

struct ObjectRun
{
    int first = 0;
    int count = 0; // 0 when no track is loaded
    int last() const { return first + count - 1; }
    friend bool operator==(const ObjectRun &, const ObjectRun &) = default;
};

// The selected run, its ends kept inside the track whatever the anchor holds.
ObjectRun SelectedRun(const TrackEditState &state);

// Makes the object at index current, index kept inside the track. With extend (Shift held, or a
// drag going on) the run stretches from the anchor, which a first extension sets to the object
// that was current; without it the run collapses to the new current object.
void SelectObject(TrackEditState &state, int index, bool extend);

// Selects first..last with first current, as after an insert; one object leaves no anchor.
void SelectInsertedRun(TrackEditState &state, int first, int last);

// The selected objects' bytes one after another.
QByteArray SelectedBytes(const TrackEditState &state);

// "3 objects selected (5 bytes)"; empty when no track is loaded.
QString SelectionText(const TrackEditState &state);

// "1 object", "3 objects": count with the noun that fits it.
QString CountedNoun(int count, const char *one, const char *many);

} // namespace whoopline::edit
