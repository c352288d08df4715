#include "view/track_picture.h"

#include "rom/image_file.h"
#include "rom/whole_file.h"
#include "view/picture_stream.h"
#include "view/track_view.h"

#include <QBuffer>
#include <QImageWriter>

#include <algorithm>
#include <cstring>

namespace whoopline::view {

namespace {

// picBuffer side by side, the last copy cut where the picture ends.
QImage repeatedBackground(const QImage &picBuffer, qint64 width)
{
    QImage picture(int(width), picBuffer.height(), picBuffer.format());
    if (picture.isNull())
        return picture;
    const qsizetype bytesPerPixel = picBuffer.depth() / 8;
    for (int y = 0; y < picture.height(); ++y) {
        uchar *line = picture.scanLine(y);
        const uchar *from = picBuffer.constScanLine(y);
        for (qint64 x = 0; x < width; x += picBuffer.width()) {
            const qint64 pixels = std::min<qint64>(picBuffer.width(), width - x);
            std::memcpy(line + x * bytesPerPixel, from, size_t(pixels * bytesPerPixel));
        }
    }
    return picture;
}

QString quoted(const QString &path)
{
    return QStringLiteral("\u201C%1\u201D").arg(displayName(path));
}

qint64 trackWidth(const track::TrackObjectList &objects)
{
    qint64 width = 0;
    for (const track::TrackObject &object : objects)
        width += StripAdvance(object);
    return width;
}

} // namespace

Result<QImage> DrawTrackPicture(const track::TrackObjectList &objects, const QImage &picBuffer,
                                const QImage &picGFX, const QString &path, bool markAlternative)
{
    const qint64 width = trackWidth(objects);
    if (width <= 0)
        return Failure{QStringLiteral("The track has no width to draw.")};
    if (width > TrackPictureMaximumWidth)
        return Failure{
            QStringLiteral("The track is %1 pixels wide; a track picture can be at most %2 "
                           "pixels wide, so none was made.")
                .arg(formatNumber(width), formatNumber(TrackPictureMaximumWidth))};
    if (picBuffer.isNull() || picBuffer.depth() % 8 != 0)
        return Failure{QStringLiteral("There is no empty-track background to draw the track on.")};
    auto stream = PictureStream::read(path);
    if (!stream)
        return Failure{stream.error()};
    QImage picture = repeatedBackground(picBuffer, width);
    if (picture.isNull())
        return Failure{QStringLiteral("There is not enough memory for a picture %1 pixels wide.")
                           .arg(formatNumber(width))};
    DrawTrackObjects(picture, picGFX, objects, 0, int(objects.size()) - 1,
                     std::move(stream).value(), markAlternative);
    // 96 dots per inch whatever the screen, so the window and the command line write the same file.
    picture.setDotsPerMeterX(3780);
    picture.setDotsPerMeterY(3780);
    return picture;
}

Status WritePngFile(const QImage &picture, const QString &path)
{
    // Encoded in memory, so that only the checked writer meets the disk.
    QByteArray png;
    QBuffer buffer(&png);
    QImageWriter writer(&buffer, "png");
    if (!buffer.open(QIODevice::WriteOnly) || !writer.write(picture))
        return Failure{QStringLiteral("The picture %1 could not be made: %2.")
                           .arg(quoted(path), writer.errorString())};
    return replaceFileWith(path, png, {QStringLiteral("The picture")});
}

} // namespace whoopline::view
