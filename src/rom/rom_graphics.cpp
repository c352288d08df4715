#include "rom/rom_graphics.h"

#include "rom/block_copy.h"
#include "rom/image_file.h"
#include "rom/nes_palette.h"
#include "rom/rom_layout.h"

namespace whoopline::rom {

namespace {

QImage DecodeSheet(const QByteArray &tileBytes, const TilePalette &palette)
{
    QImage sheet(SheetWidth, SheetHeight, QImage::Format_RGB32);
    for (int t = 0; t < TileCount; ++t) {
        TileBuffer tile{};
        for (int i = 0; i < TileByteCount; ++i)
            tile[i] = quint8(tileBytes.at(t * TileByteCount + i));
        DecodeTilePixels(sheet, t * BlockSize, 0, tile, palette);
    }
    return sheet;
}

} // namespace

QImage ComposeBackground(const QImage &picGFX)
{
    QImage background(ViewWidth, ViewHeight, QImage::Format_RGB32);
    background.fill(Qt::black);
    constexpr int columns = ViewWidth / BlockSize;
    int row = 0;
    for (; row < SkyRows; ++row)
        for (int column = 0; column < columns; ++column)
            CopyBlock(background, column * BlockSize, row * BlockSize, picGFX, SkyTile);
    for (int bandTile : BandTiles) {
        for (int column = 0; column < columns; ++column)
            CopyBlock(background, column * BlockSize, row * BlockSize, picGFX, bandTile);
        ++row;
    }
    return background;
}

Result<RomGraphics> ReadRomGraphics(const QString &path)
{
    const auto size = checkImageFile(path, MinimumImageSize);
    if (!size)
        return Failure{size.error()};
    const auto paletteBytes = readImageBytes(path, PalettePosition, PaletteSize, QStringLiteral("the palette"));
    if (!paletteBytes)
        return Failure{paletteBytes.error()};
    const auto tileBytes = readImageBytes(path, TileDataOffset + 1, TileDataSize, QStringLiteral("the tiles"));
    if (!tileBytes)
        return Failure{tileBytes.error()};

    RomGraphics graphics;
    for (int slot = 0; slot < PaletteSize; ++slot)
        graphics.TilePalette[slot] = NesColorToRgb(quint8(paletteBytes->at(slot)));
    graphics.picGFX = DecodeSheet(*tileBytes, graphics.TilePalette);
    graphics.picBuffer = ComposeBackground(graphics.picGFX);
    return graphics;
}

} // namespace whoopline::rom
