#include "rom/tile.h"

#include "rom/rom_layout.h"

#include <algorithm>

namespace whoopline::rom {

namespace {

constexpr int TileRows = 8;
constexpr int TileColumns = 8;
constexpr int PixelScale = BlockSize / TileColumns;

int pixelValue(const TileBuffer &tile, int row, int column)
{
    const int bit = 7 - column;
    return ((tile[row] >> bit) & 1) | (((tile[row + TileRows] >> bit) & 1) << 1);
}

// The usual case, a whole block inside an RGB32 picture: each doubled row is written once and
// copied below itself, instead of going through setPixel for each of the 256 pixels.
void decodeInside(QImage &target, int x0, int y0, const TileBuffer &tile, const TilePalette &palette)
{
    for (int row = 0; row < TileRows; ++row) {
        auto *line = reinterpret_cast<QRgb *>(target.scanLine(y0 + PixelScale * row)) + x0;
        for (int column = 0; column < TileColumns; ++column) {
            // RGB32 keeps its alpha byte at 0xFF, as setPixel would store it.
            const QRgb colour = 0xFF000000u | palette[pixelValue(tile, row, column)];
            for (int dx = 0; dx < PixelScale; ++dx)
                line[PixelScale * column + dx] = colour;
        }
        for (int dy = 1; dy < PixelScale; ++dy) {
            auto *copy = reinterpret_cast<QRgb *>(target.scanLine(y0 + PixelScale * row + dy)) + x0;
            std::copy_n(line, BlockSize, copy);
        }
    }
}

} // namespace

void DecodeTilePixels(QImage &target, int x0, int y0, const TileBuffer &tile, const TilePalette &palette)
{
    const QRect bounds = target.rect();
    const bool inside = x0 >= 0 && y0 >= 0 && qint64(x0) + BlockSize <= target.width() &&
                        qint64(y0) + BlockSize <= target.height();
    if (inside && target.format() == QImage::Format_RGB32) {
        decodeInside(target, x0, y0, tile, palette);
        return;
    }
    for (int row = 0; row < TileRows; ++row) {
        for (int column = 0; column < TileColumns; ++column) {
            const QRgb colour = palette[pixelValue(tile, row, column)];
            for (int dy = 0; dy < PixelScale; ++dy) {
                for (int dx = 0; dx < PixelScale; ++dx) {
                    const qint64 x = qint64(x0) + PixelScale * column + dx;
                    const qint64 y = qint64(y0) + PixelScale * row + dy;
                    if (x >= bounds.left() && x <= bounds.right() && y >= bounds.top() && y <= bounds.bottom())
                        target.setPixel(int(x), int(y), colour);
                }
            }
        }
    }
}

} // namespace whoopline::rom
