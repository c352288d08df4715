#include "edit/object_run_edits.h"

#include "edit/free_byte_edits.h"
#include "edit/object_clipboard.h"
#include "edit/object_selection.h"
#include "track/free_bytes.h"
#include "track/track_codec.h"

#include <algorithm>

namespace whoopline::edit {

using track::TrackObjectList;

namespace {

Status checkLoaded(const TrackEditState &state)
{
    const track::TrackModel &model = state.track;
    if (model.isLoaded() && track::isTrackNumber(model.CurrentTrack))
        return Success{};
    return Failure{QStringLiteral("No track is loaded: load a track before changing its objects.")};
}

Failure tooFewFreeBytes(int needed, const QString &verb, int track, int free)
{
    return Failure{QStringLiteral("The %1 to %2 %3 %4; track %5 has %6. Delete objects first.")
                       .arg(CountedNoun(needed, "byte", "bytes"), verb,
                            QLatin1String(needed == 1 ? "needs" : "need"),
                            CountedNoun(needed, "free byte", "free bytes"))
                       .arg(track)
                       .arg(free)};
}

Status moveObjects(TrackEditState &state, int step)
{
    if (Status loaded = checkLoaded(state); !loaded)
        return loaded;
    TrackEditState changed = state;
    TrackObjectList &objects = changed.track.TrackObjects;
    const ObjectRun run = SelectedRun(state);
    const int neighbour = step < 0 ? run.first - 1 : run.last() + 1;
    if (neighbour < 0 || neighbour >= objects.size())
        return Failure{
            step < 0 ? QStringLiteral("The selected objects are already at the start of the track.")
                     : QStringLiteral("The selected objects are already at the end of the track.")};
    objects.move(neighbour, step < 0 ? run.last() : run.first);
    const int budget = track::trackByteBudget(state.track.CurrentTrack);
    if (track::ByteTotal(objects) > budget && objects.last() != state.track.TrackObjects.last())
        return Failure{QStringLiteral("The last object of track %1 takes its length from the byte "
                                      "after the track's region, so it has to stay last.")
                           .arg(state.track.CurrentTrack)};
    changed.track.CurrentObject =
        std::clamp(state.track.CurrentObject, run.first, run.last()) + step;
    if (state.selectionAnchor >= 0)
        changed.selectionAnchor = std::clamp(state.selectionAnchor, run.first, run.last()) + step;
    state = changed;
    return Success{};
}

} // namespace

Status DeleteObjects(TrackEditState &state, const track::ObjectWidthTable &widths)
{
    if (Status loaded = checkLoaded(state); !loaded)
        return loaded;
    const ObjectRun run = SelectedRun(state);
    track::TrackModel &model = state.track;
    const int totalBefore = track::ByteTotal(model.TrackObjects);
    model.TrackObjects.remove(run.first, run.count);
    RefillFreedBytes(model, totalBefore, widths);
    SelectObject(state, run.first, false);
    return Success{};
}

Status CutObjects(TrackEditState &state, const track::ObjectWidthTable &widths,
                  QByteArray &cutBytes)
{
    const QByteArray bytes = SelectedBytes(state);
    Status deleted = DeleteObjects(state, widths);
    if (deleted)
        cutBytes = bytes;
    return deleted;
}

Status InsertObjects(TrackEditState &state, int index, const QByteArray &objectBytes,
                     const QString &verb, const track::ObjectWidthTable &widths)
{
    if (Status loaded = checkLoaded(state); !loaded)
        return loaded;
    Result<TrackObjectList> inserted = DecodeObjectRun(objectBytes, verb, widths);
    if (!inserted)
        return Failure{inserted.error()};
    TrackObjectList objects = state.track.TrackObjects;
    const int needed = int(objectBytes.size());
    const int free = track::FreeByteCount(objects);
    if (free < needed)
        return tooFewFreeBytes(needed, verb, state.track.CurrentTrack, free);

    // The free bytes taken are those after the inserted objects, from the end; when the insert
    // lands among the free bytes, those just before it as well.
    const int firstFree = int(objects.size()) - free;
    int at = std::clamp(index, 0, int(objects.size()));
    const int freeAfter = free - std::max(0, at - firstFree);
    objects.remove(objects.size() - std::min(needed, freeAfter), std::min(needed, freeAfter));
    const int freeBefore = needed - std::min(needed, freeAfter);
    objects.remove(at - freeBefore, freeBefore);
    at -= freeBefore;
    for (int i = 0; i < inserted->size(); ++i)
        objects.insert(at + i, inserted->at(i));

    state.track.TrackObjects = objects;
    SelectInsertedRun(state, at, at + int(inserted->size()) - 1);
    return Success{};
}

Status PasteObjects(TrackEditState &state, const QByteArray &objectBytes,
                    const track::ObjectWidthTable &widths)
{
    return InsertObjects(state, state.track.CurrentObject, objectBytes, QStringLiteral("paste"),
                         widths);
}

Status DuplicateObjects(TrackEditState &state, const track::ObjectWidthTable &widths)
{
    return InsertObjects(state, SelectedRun(state).last() + 1, SelectedBytes(state),
                         QStringLiteral("duplicate"), widths);
}

Status MoveObjectsLeft(TrackEditState &state)
{
    return moveObjects(state, -1);
}

Status MoveObjectsRight(TrackEditState &state)
{
    return moveObjects(state, +1);
}

} // namespace whoopline::edit
