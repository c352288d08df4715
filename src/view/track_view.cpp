#include "track_view.h"

#include "picture_stream.h"
#include "rom_layout.h"
#include "strip_cells.h"
#include "track_codec.h"

#include <algorithm>
#include <optional>

namespace whoopline::view {

namespace {

constexpr qint64 Step = rom::BlockSize;

// A picture reaches at most one column left of its origin.
bool mayShow(const QImage &strip, qint64 x)
{
    return x - Step < strip.width();
}

} // namespace

void DrawTrackObjects(QImage &strip, const QImage &picGFX, const track::TrackObjectList &objects,
                      int first, int last, const std::optional<PictureStream> &stream)
{
    StripCells cells(strip, picGFX);
    qint64 x = 0;
    for (int i = first; i <= last; ++i) {
        const track::TrackObject &object = objects.at(i);
        if (object.Bytes.isEmpty())
            continue;
        const int code = track::objectIdOf(object.code());
        const int picture = pictureOfObject(code);
        const QByteArray record = stream && picture >= 0 ? stream->record(picture) : QByteArray();
        const auto draw = [&](qint64 at) {
            if (!record.isEmpty() && mayShow(strip, at))
                cells.drawPicture(record, at);
        };
        // A step whose picture is missing is skipped; x moves on regardless.
        const qint64 advance = StripAdvance(object);
        if (track::isSpanCode(code)) {
            for (qint64 copy = 0; copy < advance && mayShow(strip, x + copy); copy += Step)
                draw(x + copy);
        } else {
            draw(x);
        }
        x += advance;
    }
    cells.finish();
}

TrackView RenderTrackView(const track::TrackModel &model, const QImage &picBuffer, const QImage &picGFX,
                          const QString &path)
{
    TrackView view;
    view.strip = picBuffer.copy();
    if (!model.isLoaded() || model.CurrentObject < 0 || model.CurrentObject > model.lastIndex())
        return view;

    const track::TrackObject &current = model.current();
    view.markerWidth = current.Width;
    if (!current.Bytes.isEmpty()) {
        view.currentObjectText = track::FormatObjectByte(current.code());
        view.alternative = (current.code() & track::AlternativeBit) != 0;
    }
    if (current.ByteCount == 2 && current.Bytes.size() >= 2)
        view.lengthText = QString::number(current.length());

    std::optional<PictureStream> stream;
    if (auto read = PictureStream::read(path))
        stream = std::move(read).value();
    DrawTrackObjects(view.strip, picGFX, model.TrackObjects, model.CurrentObject,
                     LastDrawnIndex(model), stream);
    return view;
}

} // namespace whoopline::view
