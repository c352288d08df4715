#pragma once

#include <QImage>
#include <QRgb>

#include <array>

namespace whoopline::rom {

// One tile as stored in the image: bytes 0..7 are bit plane 0 of pixel rows 0..7 (top first),
// bytes 8..15 bit plane 1 of the same rows.
using TileBuffer = std::array<quint8, 16>;

// The colours of pixel values 0..3.
using TilePalette = std::array<QRgb, 4>;

// Paints the tile at twice its size as a 16 x 16 block with top-left pixel (x0, y0): pixel value
// = plane-0 bit + 2 x plane-1 bit, bit 7 leftmost. Every pixel is painted, value 0 included;
// what falls outside the target is dropped.
void DecodeTilePixels(QImage &target, int x0, int y0, const TileBuffer &tile, const TilePalette &palette);

} // namespace whoopline::rom
