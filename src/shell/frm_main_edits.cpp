#include "frm_main.h"

#include "free_byte_edits.h"

#include <QLineEdit>
#include <QScrollBar>
#include <QUndoStack>

// The edits of the loaded track as undo steps: each handler changes a copy of the track's state,
// and the step it pushes shows the new state, or the old one on undo.
namespace whoopline::shell {

edit::TrackEditState frmMain::EditState() const
{
    return {Track, m_laps};
}

void frmMain::ApplyEditState(const edit::TrackEditState &state)
{
    Track = state.track;
    m_laps = state.laps;
    scrLaps->setValue(state.laps);
    RenderTrack();
}

void frmMain::RecordEdit(edit::TrackEditKind kind,
                         const std::function<Status(edit::TrackEditState &state)> &edit)
{
    const edit::TrackEditState before = EditState();
    edit::TrackEditState after = before;
    if (const Status status = edit(after); !status) {
        warn(status.error());
        return;
    }
    edit::PushTrackEdit(*UndoStack, kind, before, after,
                        [this](const edit::TrackEditState &state) { ApplyEditState(state); });
}

void frmMain::mnuInsert_Click()
{
    if (!Track.isLoaded())
        return;
    RecordEdit(edit::TrackEditKind::InsertObject, [this](edit::TrackEditState &state) {
        return edit::InsertObject(state.track, ObjectWidthTable);
    });
}

void frmMain::mnuDelete_Click()
{
    if (!Track.isLoaded())
        return;
    RecordEdit(edit::TrackEditKind::DeleteObject, [this](edit::TrackEditState &state) {
        return edit::DeleteCurrentObject(state.track, ObjectWidthTable);
    });
}

} // namespace whoopline::shell
