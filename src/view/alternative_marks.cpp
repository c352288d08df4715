#include "view/alternative_marks.h"

#include "rom/rom_layout.h"
#include "track/track_layout.h"
#include "view/strip_layout.h"

#include <QPainter>

#include <algorithm>

namespace whoopline::view {

namespace {

// 6 pixels at full size, never less than 2 so the overview shows it too.
int badgeSide(int blockPixels)
{
    return std::max(2, blockPixels * 3 / 8);
}

} // namespace

void MarkAlternativeObjects(QImage &target, const track::TrackObjectList &objects, int first, int last,
                            int blockPixels, int yStart, qint64 trackX)
{
    QPainter painter;
    const qint64 width = target.width();
    qint64 x = 0;
    for (int i = first; i <= last; ++i) {
        const track::TrackObject &object = objects.at(i);
        const qint64 left = x * blockPixels / rom::BlockSize - trackX * blockPixels / rom::BlockSize;
        if (left >= width)
            break;
        x += StripAdvance(object);
        const qint64 right = x * blockPixels / rom::BlockSize - trackX * blockPixels / rom::BlockSize;
        if (object.Bytes.isEmpty() || (object.code() & track::AlternativeBit) == 0 || right <= left || right <= 0)
            continue;
        if (!painter.isActive())
            painter.begin(&target);
        const int from = int(std::max<qint64>(left, 0)), to = int(std::min(right, width));
        painter.fillRect(from, 0, to - from, target.height(), AlternativeTint);
        const int side = int(std::min<qint64>(badgeSide(blockPixels), right - left));
        painter.fillRect(int(right) - side, -yStart, side, side, AlternativeBadge);
    }
}

} // namespace whoopline::view
