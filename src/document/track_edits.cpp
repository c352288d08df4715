#include "document/image_document.h"

#include "edit/current_object_edit.h"
#include "edit/free_byte_edits.h"
#include "edit/object_replacement.h"
#include "edit/object_run_edits.h"
#include "edit/object_selection.h"

// The verbs of the shown track: each picks its step's name and its rule for the selection, and
// hands the change to edit().
namespace whoopline::document {

namespace {

// An edit of the current object leaves it selected alone.
std::function<Status(edit::TrackEditState &)> alone(const std::function<Status(edit::TrackEditState &)> &change)
{
    return [change](edit::TrackEditState &state) {
        const Status done = change(state);
        state.selectionAnchor = -1;
        return done;
    };
}

} // namespace

Status ImageDocument::insertObject()
{
    return edit(edit::TrackEditKind::InsertObject,
                alone([this](edit::TrackEditState &state) { return edit::InsertObject(state.track, m_widths); }));
}

Status ImageDocument::insertObjects(int index, const QByteArray &objectBytes)
{
    return edit(edit::TrackEditKind::InsertObject, [&](edit::TrackEditState &state) {
        return edit::InsertObjects(state, index, objectBytes, QStringLiteral("insert"), m_widths);
    });
}

Status ImageDocument::deleteSelection()
{
    if (edit::SelectedRun(shownState()).count > 1)
        return edit(edit::TrackEditKind::DeleteObjects,
                    alone([this](edit::TrackEditState &state) { return edit::DeleteObjects(state, m_widths); }));
    return edit(edit::TrackEditKind::DeleteObject, alone([this](edit::TrackEditState &state) {
                    return edit::DeleteCurrentObject(state.track, m_widths);
                }));
}

Status ImageDocument::replaceCurrentObject(const edit::SelectorRunner &runSelector)
{
    return edit(edit::TrackEditKind::ReplaceObject, alone([&](edit::TrackEditState &state) {
                    return edit::EditCurrentObject(state.track, m_widths, m_selectorChoice, runSelector);
                }));
}

Status ImageDocument::replaceWithEntry(int listIndex)
{
    return edit(edit::TrackEditKind::ReplaceObject, alone([&](edit::TrackEditState &state) {
                    return edit::ReplaceWithCatalogueEntry(state, listIndex, m_widths);
                }));
}

Status ImageDocument::setAlternative(bool alternative)
{
    return edit(edit::TrackEditKind::ChangeMark, alone([alternative](edit::TrackEditState &state) {
                    edit::ToggleAlternative(state.track, alternative);
                    return Status(Success{});
                }));
}

Status ImageDocument::setLaps(int laps, bool typed)
{
    return edit(typed ? edit::TrackEditKind::SetLaps : edit::TrackEditKind::ChangeLaps,
                [laps](edit::TrackEditState &state) {
                    state.laps = laps;
                    return Status(Success{});
                });
}

Result<QByteArray> ImageDocument::cutRun()
{
    QByteArray cut;
    const Status done = edit(edit::TrackEditKind::CutObjects, [&](edit::TrackEditState &state) {
        return edit::CutObjects(state, m_widths, cut);
    });
    if (!done)
        return Failure{done.error()};
    return cut;
}

QByteArray ImageDocument::runBytes() const
{
    return hasTrack() ? edit::SelectedBytes(shownState()) : QByteArray();
}

Status ImageDocument::pasteRun(const QByteArray &objectBytes)
{
    return edit(edit::TrackEditKind::PasteObjects, [&](edit::TrackEditState &state) {
        return edit::PasteObjects(state, objectBytes, m_widths);
    });
}

Status ImageDocument::duplicateRun()
{
    return edit(edit::TrackEditKind::DuplicateObjects,
                [this](edit::TrackEditState &state) { return edit::DuplicateObjects(state, m_widths); });
}

Status ImageDocument::moveRun(bool left)
{
    return edit(left ? edit::TrackEditKind::MoveObjectsLeft : edit::TrackEditKind::MoveObjectsRight,
                left ? edit::MoveObjectsLeft : edit::MoveObjectsRight);
}

Status ImageDocument::importTrack(const edit::TrackFile &file, const QString &fileName)
{
    if (!hasTrack())
        return Failure{QStringLiteral("There is no track to import into yet. Choose a track and press Load first.")};
    const auto objects = edit::TrackFileObjects(file, m_shown, m_widths, fileName);
    if (!objects)
        return Failure{objects.error()};
    return edit(edit::TrackEditKind::ImportTrack, alone([&](edit::TrackEditState &state) {
                    state.track.TrackObjects = *objects;
                    state.track.CurrentObject = 0;
                    state.laps = file.laps;
                    return Status(Success{});
                }));
}

QString ImageDocument::trackFileText() const
{
    return hasTrack() ? edit::WriteTrackFile(laps(), track().TrackObjects) : QString();
}

} // namespace whoopline::document
