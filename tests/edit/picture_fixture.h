#pragma once

#include "image_builder.h"
#include "picture_tables.h"
#include "rom_layout.h"

#include <QImage>

// An image whose picture stream tells its pictures apart, and a tile sheet whose blocks do.
namespace whoopline::testing {

// Picture p draws block FirstBlock + p at (0, 16) and block SecondBlock + p at (16, 32).
constexpr int FirstBlock = 16;
constexpr int SecondBlock = 100;

inline ImageBuilder imageWithDistinctPictures()
{
    ImageBuilder image;
    Position position = view::PictureStreamPosition;
    for (int picture = 0; picture < view::PictureCount; ++picture) {
        image.set(position, {1, FirstBlock + picture, 2, SecondBlock + picture, 0});
        position += 5;
    }
    return image;
}

inline QRgb blockColour(int block)
{
    return qRgb(block, 255 - block, (block * 7) & 0xFF);
}

// A sheet whose block t is filled with its own colour, so a copied block names its source.
inline QImage distinctSheet()
{
    QImage sheet(rom::SheetWidth, rom::SheetHeight, QImage::Format_RGB32);
    for (int block = 0; block < rom::TileCount; ++block)
        for (int y = 0; y < rom::BlockSize; ++y)
            for (int x = 0; x < rom::BlockSize; ++x)
                sheet.setPixel(block * rom::BlockSize + x, y, blockColour(block));
    return sheet;
}

// The preview that picture p of imageWithDistinctPictures() must give on distinctSheet().
inline QImage expectedPreview(int picture)
{
    QImage preview(256, 256, QImage::Format_RGB32);
    preview.fill(Qt::black);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            preview.setPixel(x, 16 + y, blockColour(FirstBlock + picture));
            preview.setPixel(16 + x, 32 + y, blockColour(SecondBlock + picture));
        }
    return preview;
}

} // namespace whoopline::testing
