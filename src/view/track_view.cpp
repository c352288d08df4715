#include "view/track_view.h"

#include "rom/rom_layout.h"
#include "track/track_codec.h"
#include "view/alternative_marks.h"
#include "view/object_walk.h"
#include "view/picture_stream.h"
#include "view/strip_cells.h"


#include <optional>

namespace whoopline::view {

void DrawTrackObjects(QImage &strip, const QImage &picGFX, const track::TrackObjectList &objects,
                      int first, int last, const std::optional<PictureStream> &stream, bool markAlternative, int rowOffset,
                      const QImage *background)
{
    StripCells cells(strip, picGFX, rowOffset, background);
    ForEachObjectDrawing(objects, first, last, stream, 0, strip.width() + rom::BlockSize,
                         [&](const QByteArray &record, qint64 x, qint64 copies) { cells.drawCopies(record, x, copies); });
    cells.finish();
    if (markAlternative)
        MarkAlternativeObjects(strip, objects, first, last, rom::BlockSize, rowOffset);
}

TrackView RenderTrackView(const track::TrackModel &model, const QImage &picBuffer, const QImage &picGFX,
                          const QString &path, bool markAlternative, int width)
{
    TrackView view;
    // The background goes in with the objects, each pixel written once, unless nothing is drawn.
    view.strip = QImage(width > 0 ? width : picBuffer.width(), picBuffer.height(), picBuffer.format());
    const bool drawn = model.isLoaded() && model.CurrentObject >= 0 && model.CurrentObject <= model.lastIndex();
    if (!drawn || picBuffer.isNull()) {
        view.strip = picBuffer.isNull() ? picBuffer : view.strip;
        if (!picBuffer.isNull())
            TileBackground(view.strip, picBuffer);
        if (!drawn)
            return view;
    }
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
                     LastDrawnIndex(model, width), stream, markAlternative, 0,
                     picBuffer.isNull() ? nullptr : &picBuffer);
    return view;
}

} // namespace whoopline::view
