#include "edit/object_selection.h"

#include "track/track_codec.h"

#include <algorithm>

namespace whoopline::edit {

namespace {

int clampToTrack(const track::TrackModel &model, int index)
{
    return std::clamp(index, 0, std::max(0, model.lastIndex()));
}

} // namespace

QString CountedNoun(int count, const char *one, const char *many)
{
    return QStringLiteral("%1 %2").arg(count).arg(QLatin1String(count == 1 ? one : many));
}

ObjectRun SelectedRun(const TrackEditState &state)
{
    const track::TrackModel &model = state.track;
    if (!model.isLoaded())
        return {};
    const int current = clampToTrack(model, model.CurrentObject);
    const int anchor =
        state.selectionAnchor < 0 ? current : clampToTrack(model, state.selectionAnchor);
    return {std::min(current, anchor), std::abs(current - anchor) + 1};
}

void SelectObject(TrackEditState &state, int index, bool extend)
{
    track::TrackModel &model = state.track;
    if (extend && state.selectionAnchor < 0)
        state.selectionAnchor = clampToTrack(model, model.CurrentObject);
    else if (!extend)
        state.selectionAnchor = -1;
    model.CurrentObject = clampToTrack(model, index);
}

void SelectInsertedRun(TrackEditState &state, int first, int last)
{
    state.track.CurrentObject = first;
    state.selectionAnchor = last > first ? last : -1;
}

QByteArray SelectedBytes(const TrackEditState &state)
{
    const ObjectRun run = SelectedRun(state);
    return track::EncodeTrackObjects(state.track.TrackObjects.mid(run.first, run.count));
}

QString SelectionText(const TrackEditState &state)
{
    const ObjectRun run = SelectedRun(state);
    if (run.count == 0)
        return {};
    return QStringLiteral("%1 selected (%2)")
        .arg(CountedNoun(run.count, "object", "objects"),
             CountedNoun(int(SelectedBytes(state).size()), "byte", "bytes"));
}

} // namespace whoopline::edit
