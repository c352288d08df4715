#pragma once

#include "image_builder.h"
#include "picture_tables.h"
#include "rom_layout.h"

#include <QImage>
#include <QList>

#include <initializer_list>

// Images and sheets for the picture and track-view tests.
namespace whoopline::testing {

inline QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray result;
    for (int value : values)
        result.append(char(value));
    return result;
}

// Writes records 0, 1, ... of the picture stream, each followed by its final 0.
inline ImageBuilder &putPictureStream(ImageBuilder &image, const QList<QByteArray> &records)
{
    Position position = view::PictureStreamPosition;
    for (const QByteArray &record : records) {
        image.set(position, record);
        position += record.size();
        image.set(position++, 0);
    }
    return image;
}

// A tile sheet in which every pixel differs from every other, so a copied block shows both
// which block it came from and whether it was shifted or cut wrongly.
inline QImage pixelSheet()
{
    QImage sheet(rom::SheetWidth, rom::SheetHeight, QImage::Format_RGB32);
    for (int x = 0; x < sheet.width(); ++x)
        for (int y = 0; y < sheet.height(); ++y)
            sheet.setPixel(x, y, qRgb(x / rom::BlockSize, (x % rom::BlockSize) * 16 + y, 77));
    return sheet;
}

// The expected result of one block copy, pixel by pixel.
inline void paintBlock(QImage &target, qint64 x, qint64 y, const QImage &sheet, int block)
{
    for (int dy = 0; dy < rom::BlockSize; ++dy) {
        for (int dx = 0; dx < rom::BlockSize; ++dx) {
            const qint64 px = x + dx, py = y + dy;
            if (px >= 0 && px < target.width() && py >= 0 && py < target.height())
                target.setPixel(int(px), int(py), sheet.pixel(block * rom::BlockSize + dx, dy));
        }
    }
}

} // namespace whoopline::testing
