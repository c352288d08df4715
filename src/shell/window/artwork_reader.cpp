#include "shell/window/artwork_reader.h"

#include <QFile>
#include <QList>
#include <QtEndian>

namespace whoopline::shell {

namespace {

constexpr QByteArrayView Signature("\x89PNG\r\n\x1a\n", 8);
constexpr int ChunkFrame = 12; // length, type and check sum around a chunk's data
constexpr int LargestSide = 4096;

// The pixels of an 8-bit palette PNG without interlacing and with unfiltered rows, else a null
// image.
QImage unpackPlainPalette(const QByteArray &png)
{
    if (!png.startsWith(Signature))
        return {};
    quint32 width = 0;
    quint32 height = 0;
    QList<QRgb> palette;
    QByteArray stream(4, '\0'); // qUncompress wants the unpacked size in front of the stream
    for (qsizetype at = Signature.size(); at + ChunkFrame <= png.size();) {
        const auto *chunk = reinterpret_cast<const uchar *>(png.constData() + at);
        const qsizetype length = qFromBigEndian<quint32>(chunk);
        if (length > png.size() - at - ChunkFrame)
            return {};
        const QByteArrayView type(chunk + 4, 4);
        const uchar *data = chunk + 8;
        if (type == "IHDR") {
            width = qFromBigEndian<quint32>(data);
            height = qFromBigEndian<quint32>(data + 4);
            // Bit depth 8, colour type palette, no interlacing.
            if (length != 13 || data[8] != 8 || data[9] != 3 || data[12] != 0)
                return {};
        } else if (type == "PLTE") {
            for (qsizetype i = 0; i + 2 < length; i += 3)
                palette << qRgb(data[i], data[i + 1], data[i + 2]);
        } else if (type == "IDAT") {
            stream.append(reinterpret_cast<const char *>(data), length);
        }
        at += ChunkFrame + length;
    }
    if (width == 0 || height == 0 || width > LargestSide || height > LargestSide)
        return {};
    const qsizetype stride = 1 + qsizetype(width);
    qToBigEndian<quint32>(quint32(stride * height), stream.data());
    const QByteArray rows = qUncompress(stream);
    if (rows.size() != stride * qsizetype(height))
        return {};
    for (qsizetype row = 0; row < rows.size(); row += stride) {
        if (rows.at(row) != 0) // a filtered row
            return {};
    }
    // Each row follows its filter byte, so the rows read as an image one byte in.
    QImage image(reinterpret_cast<const uchar *>(rows.constData()) + 1, int(width), int(height),
                 stride, QImage::Format_Indexed8);
    palette.resize(256, qRgb(0, 0, 0)); // an index past the palette shows black, as Qt's reader
    image.setColorTable(palette);
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace

QImage ReadArtwork(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QImage plain = unpackPlainPalette(file.readAll());
    return plain.isNull() ? QImage(path).convertToFormat(QImage::Format_RGB32) : plain;
}

} // namespace whoopline::shell
