#include "edit/free_byte_edits.h"

#include "track/free_bytes.h"
#include "track/track_codec.h"

#include <algorithm>

namespace whoopline::edit {

using track::TrackModel;

namespace {

Status checkLoaded(const TrackModel &model)
{
    if (model.isLoaded() && track::isTrackNumber(model.CurrentTrack) && model.CurrentObject >= 0 &&
        model.CurrentObject <= model.lastIndex())
        return Success{};
    return Failure{QStringLiteral("No track is loaded: load a track before changing its objects.")};
}

track::TrackObject freeByte(const track::ObjectWidthTable &widths)
{
    return track::MakeTrackObject(QByteArray(1, track::FreeByte), widths);
}

} // namespace

void RefillFreedBytes(TrackModel &model, int totalBefore, const track::ObjectWidthTable &widths)
{
    int target = totalBefore;
    if (track::isTrackNumber(model.CurrentTrack))
        target = std::min(target, track::trackByteBudget(model.CurrentTrack));
    for (int total = track::ByteTotal(model.TrackObjects); total < target; ++total)
        model.TrackObjects.append(freeByte(widths));
}

Status CanInsertObject(const TrackModel &model)
{
    if (Status loaded = checkLoaded(model); !loaded)
        return loaded;
    if (track::FreeByteCount(model.TrackObjects) == 0)
        return Failure{QStringLiteral("Track %1 has no free byte: its %2 bytes all hold objects. "
                                      "Delete an object first.")
                           .arg(model.CurrentTrack)
                           .arg(track::trackByteBudget(model.CurrentTrack))};
    return Success{};
}

Status InsertObject(TrackModel &model, const track::ObjectWidthTable &widths)
{
    if (Status possible = CanInsertObject(model); !possible)
        return possible;
    model.TrackObjects.removeLast();
    model.TrackObjects.insert(model.CurrentObject, freeByte(widths));
    return Success{};
}

Status DeleteCurrentObject(TrackModel &model, const track::ObjectWidthTable &widths)
{
    if (Status loaded = checkLoaded(model); !loaded)
        return loaded;
    const int totalBefore = track::ByteTotal(model.TrackObjects);
    model.TrackObjects.removeAt(model.CurrentObject);
    RefillFreedBytes(model, totalBefore, widths);
    return Success{};
}

} // namespace whoopline::edit
