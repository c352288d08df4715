#pragma once

#include "track/track_model.h"

#include <QUndoCommand>

#include <functional>

class QUndoStack;

// One undo step of the loaded track: the state before and after one change the user made. No
// windows here: whoever holds the track (the main window, a test) hands a function that shows a
// state, and the step calls it on undo and redo.
namespace whoopline::edit {

// Everything a step restores: the objects, the current object, the laps value and the selection.
struct TrackEditState
{
    track::TrackModel track;
    int laps = 0;
    // The other end of the selected run, the current object being one end (see object_selection.h);
    // -1 when the run is the current object alone. Not an edit of its own: equality ignores it.
    int selectionAnchor = -1;
};

bool operator==(const TrackEditState &a, const TrackEditState &b);

// What a step did; it names the step in the Undo and Redo menu items ("Undo Replace Object").
enum class TrackEditKind
{
    ReplaceObject,
    ChangeMark,
    ChangeLaps,
    SetLaps, // typed in a dialog: a step of its own, never merged with laps clicks
    InsertObject,
    DeleteObject,
    CutObjects,
    PasteObjects,
    DuplicateObjects,
    DeleteObjects,
    MoveObjectsLeft,
    MoveObjectsRight,
    ImportTrack
};

class TrackEditCommand : public QUndoCommand
{
public:
    // Makes state the current one: the model, the laps control, the view and its labels.
    using Apply = std::function<void(const TrackEditState &state)>;

    TrackEditCommand(TrackEditKind kind, TrackEditState before, TrackEditState after, Apply apply);

    void undo() override;
    void redo() override;

    // Laps changes that follow each other are one step: the later one's state becomes this
    // step's after state, and a step that ends where it began is dropped.
    int id() const override;
    bool mergeWith(const QUndoCommand *other) override;

private:
    TrackEditKind m_kind;
    TrackEditState m_before;
    TrackEditState m_after;
    Apply m_apply;
};

// Pushes the step from before to after onto stack, which applies after at once. A change that
// changes nothing (a Cancel, a refused edit, a click on what is already there) pushes no step.
// Returns whether the change was recorded.
bool PushTrackEdit(QUndoStack &stack, TrackEditKind kind, const TrackEditState &before,
                   const TrackEditState &after, TrackEditCommand::Apply apply);

} // namespace whoopline::edit
