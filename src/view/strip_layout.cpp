#include "view/strip_layout.h"

#include "rom/rom_layout.h"
#include "track/track_layout.h"

#include <algorithm>

namespace whoopline::view {

int LastDrawnIndex(const track::TrackModel &model, int viewWidth)
{
    const int after = ObjectsAfterCurrent * std::max(viewWidth, SpecifiedViewWidth) / SpecifiedViewWidth;
    return std::min(model.CurrentObject + after, model.lastIndex());
}

qint64 StripAdvance(const track::TrackObject &object)
{
    if (object.Bytes.isEmpty())
        return 0;
    // Tested on the code as the redraw tests it, bit 7 aside.
    if (track::isSpanCode(track::objectIdOf(object.code())))
        return object.Width >= rom::BlockSize ? object.Width / rom::BlockSize * rom::BlockSize : 0;
    return object.Width;
}

int ObjectAtStripX(const track::TrackModel &model, int x, int viewWidth)
{
    if (x < 0 || model.CurrentObject < 0 || model.CurrentObject > model.lastIndex())
        return -1;
    const int last = LastDrawnIndex(model, viewWidth);
    qint64 left = 0;
    for (int i = model.CurrentObject; i <= last; ++i) {
        const qint64 right = left + StripAdvance(model.TrackObjects.at(i));
        if (x >= left && x < right)
            return i;
        left = right;
    }
    return -1;
}

std::vector<qint64> TrackObjectLefts(const track::TrackObjectList &objects)
{
    std::vector<qint64> lefts;
    lefts.reserve(size_t(objects.size()) + 1);
    qint64 x = 0;
    for (const track::TrackObject &object : objects) {
        lefts.push_back(x);
        x += StripAdvance(object);
    }
    lefts.push_back(x);
    return lefts;
}

int ObjectAtTrackX(const std::vector<qint64> &lefts, qint64 x)
{
    if (lefts.size() < 2 || x < 0 || x >= lefts.back())
        return -1;
    // The last object beginning at or before x is the one whose room holds it.
    const auto after = std::upper_bound(lefts.begin(), lefts.end(), x);
    return int(after - lefts.begin()) - 1;
}

} // namespace whoopline::view
