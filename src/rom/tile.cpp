#include "tile.h"

#include "image_file.h"
#include "rom_layout.h"

namespace whoopline::rom {

namespace {

constexpr int TileRows = 8;
constexpr int TileColumns = 8;
constexpr int PixelScale = BlockSize / TileColumns;

} // namespace

QString ToBinaryString(quint8 byte)
{
    return QStringLiteral("%1").arg(byte, 8, 2, QLatin1Char('0'));
}

Result<TileBuffer> ReadTile(const QString &path, qint64 offset)
{
    if (offset < 0)
        return Failure{QStringLiteral("A tile cannot lie before the start of the file (offset %1).")
                           .arg(formatNumber(offset))};
    const auto bytes = readImageBytes(path, offset + 1, TileByteCount, QStringLiteral("a tile"));
    if (!bytes)
        return Failure{bytes.error()};
    TileBuffer tile{};
    for (int i = 0; i < TileByteCount; ++i)
        tile[i] = quint8(bytes->at(i));
    return tile;
}

void DecodeTilePixels(QImage &target, int x0, int y0, const TileBuffer &tile, const TilePalette &palette)
{
    const QRect bounds = target.rect();
    for (int row = 0; row < TileRows; ++row) {
        for (int column = 0; column < TileColumns; ++column) {
            const int bit = 7 - column;
            const int value = ((tile[row] >> bit) & 1) | (((tile[row + TileRows] >> bit) & 1) << 1);
            const QRgb colour = palette[value];
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
