#include "view/selector_preview.h"

#include "view/object_picture.h"
#include "view/picture_stream.h"
#include "view/picture_tables.h"

namespace whoopline::view {

namespace {
constexpr int PreviewSize = 256;
}

QImage ComposeSelectorPreview(int objectNumber, const QImage &picGFX, const QString &romPath)
{
    QImage preview(PreviewSize, PreviewSize, QImage::Format_RGB32);
    preview.fill(Qt::black);
    const int picture = pictureOfObject(objectNumber);
    if (picture < 0)
        return preview;
    const Result<PictureStream> stream = PictureStream::read(romPath);
    if (!stream)
        return preview;
    DrawObjectPicture(preview, picGFX, stream->record(picture), 0);
    return preview;
}

} // namespace whoopline::view
