#pragma once

#include "image_builder.h"
#include "picture_tables.h"
#include "rom_layout.h"

#include <QImage>
#include <QList>
#include <QPainter>

#include <initializer_list>

// Images and sheets for the picture and track-view tests.
namespace whoopline::testing {

// The image with records 0, 1, ... of the picture stream, each followed by its final 0.
inline ImageBuilder withPictures(ImageBuilder image, const QList<QByteArray> &records)
{
    Position position = view::PictureStreamPosition;
    for (const QByteArray &record : records) {
        image.set(position, record + '\0');
        position += record.size() + 1;
    }
    return image;
}

// A tile sheet in which every pixel differs from every other, so a copied block shows both
// which block it came from and whether it was shifted or cut wrongly.
inline QImage pixelSheet(int width = rom::SheetWidth)
{
    QImage sheet(width, rom::SheetHeight, QImage::Format_RGB32);
    for (int x = 0; x < width; ++x)
        for (int y = 0; y < sheet.height(); ++y)
            sheet.setPixel(x, y, qRgb(x / rom::BlockSize, (x % rom::BlockSize) * 16 + y, 77));
    return sheet;
}

inline QImage backdrop(QSize size = QSize(rom::ViewWidth, rom::ViewHeight),
                       QImage::Format format = QImage::Format_RGB32)
{
    QImage image(size, format);
    image.fill(qRgb(9, 8, 7));
    return image;
}

using Blocks = QList<QList<int>>; // x, y, block

// The target as copying each block from the sheet, as a plain source copy, should leave it.
inline QImage painted(QImage target, const QImage &sheet, const Blocks &blocks)
{
    QPainter painter(&target);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (const QList<int> &block : blocks)
        painter.drawImage(block[0], block[1], sheet, block[2] * rom::BlockSize, 0, rom::BlockSize, rom::BlockSize);
    return target;
}

} // namespace whoopline::testing
