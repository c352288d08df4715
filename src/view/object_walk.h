#pragma once

#include "rom/rom_layout.h"
#include "track/track_layout.h"
#include "track/track_model.h"
#include "view/picture_stream.h"
#include "view/strip_layout.h"

#include <algorithm>
#include <optional>
#include <type_traits>

namespace whoopline::view {

// The picture record object is drawn from; empty when the stream holds none for it.
inline QByteArray PictureRecordOf(const track::TrackObject &object, const std::optional<PictureStream> &stream)
{
    const int picture = pictureOfObject(track::objectIdOf(object.code()));
    return stream && picture >= 0 ? stream->record(picture) : QByteArray();
}

// The walk every drawing of a track shares: objects first..last laid side by side from x 0, each
// next one StripAdvance further, a one-byte object drawn once at its x and a span as copies of
// its base picture 16 apart. Calls draw(record, x) for each drawing whose origin lies in
// [fromX, toX); a picture reaches one column left of its origin, so callers widen the range by
// that column. A drawing whose picture is missing is left out and the walk goes on. A draw that
// also takes a count gets a span's copies at once: draw(record, x, count), 16 apart from x.
template <typename Draw>
void ForEachObjectDrawing(const track::TrackObjectList &objects, int first, int last,
                          const std::optional<PictureStream> &stream, qint64 fromX, qint64 toX, Draw &&draw)
{
    constexpr qint64 step = rom::BlockSize;
    qint64 x = 0;
    for (int i = first; i <= last && x < toX; ++i) {
        const track::TrackObject &object = objects.at(i);
        if (object.Bytes.isEmpty())
            continue;
        const int code = track::objectIdOf(object.code());
        const QByteArray record = PictureRecordOf(object, stream);
        const qint64 advance = StripAdvance(object);
        if (!record.isEmpty()) {
            if (!track::isSpanCode(code)) {
                if (x >= fromX - step * (record.size() + 1)) {
                    if constexpr (std::is_invocable_v<Draw, const QByteArray &, qint64, qint64>)
                        draw(record, x, 1);
                    else
                        draw(record, x);
                }
            } else {
                // Copies whose picture ends left of fromX are skipped without a walk.
                const qint64 reach = step * (record.size() + 1);
                qint64 copy = fromX - reach > x ? (fromX - reach - x) / step * step : 0;
                if constexpr (std::is_invocable_v<Draw, const QByteArray &, qint64, qint64>) {
                    const qint64 end = std::min(advance, toX - x);
                    if (copy < end)
                        draw(record, x + copy, (end - copy + step - 1) / step);
                } else {
                    for (; copy < advance && x + copy < toX; copy += step)
                        draw(record, x + copy);
                }
            }
        }
        x += advance;
    }
}

} // namespace whoopline::view
