#include "view/track_view.h"

#include "rom/rom_layout.h"
#include "track/track_codec.h"
#include "view/alternative_marks.h"
#include "view/object_walk.h"
#include "view/picture_stream.h"
#include "view/strip_cells.h"

#include <QPainter>

#include <optional>

namespace whoopline::view {

void DrawTrackObjects(QImage &strip, const QImage &picGFX, const track::TrackObjectList &objects,
                      int first, int last, const std::optional<PictureStream> &stream, bool markAlternative, int rowOffset)
{
    StripCells cells(strip, picGFX, rowOffset);
    ForEachObjectDrawing(objects, first, last, stream, 0, strip.width() + rom::BlockSize,
                         [&](const QByteArray &record, qint64 x) { cells.drawPicture(record, x); });
    cells.finish();
    if (markAlternative)
        MarkAlternativeObjects(strip, objects, first, last, rom::BlockSize, rowOffset);
}

TrackView RenderTrackView(const track::TrackModel &model, const QImage &picBuffer, const QImage &picGFX,
                          const QString &path, bool markAlternative, int width)
{
    TrackView view;
    if (width == picBuffer.width() || picBuffer.isNull() || width <= 0) {
        view.strip = picBuffer.copy();
    } else {
        view.strip = QImage(width, picBuffer.height(), picBuffer.format());
        QPainter painter(&view.strip);
        for (int x = 0; x < width; x += picBuffer.width())
            painter.drawImage(x, 0, picBuffer);
    }
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
                     LastDrawnIndex(model, width), stream, markAlternative);
    return view;
}

} // namespace whoopline::view
