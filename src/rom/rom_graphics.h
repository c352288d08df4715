#pragma once

#include "rom/result.h"
#include "rom/tile.h"

#include <QImage>
#include <QString>

namespace whoopline::rom {

// What an opened image contributes to every drawing: its palette, its 256 tiles as the sheet
// picGFX (4096 x 16, block t = tile t doubled) and the empty-track background picBuffer
// (512 x 256). Both pictures are Format_RGB32.
struct RomGraphics
{
    rom::TilePalette TilePalette{};
    QImage picGFX;
    QImage picBuffer;
};

// Checks the file, then reads the palette and the tiles and builds both pictures. Refuses a
// missing file, a folder, an unreadable file and one too short to hold the last tile, with a
// message naming the file; nothing is built then.
Result<RomGraphics> ReadRomGraphics(const QString &path);

// The empty track: nine rows of sky tiles, the band below them, and a black bottom row.
QImage ComposeBackground(const QImage &picGFX);

} // namespace whoopline::rom
