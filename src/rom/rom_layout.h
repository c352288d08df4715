#pragma once

#include "rom/image_file.h"

// Where the graphics live in a cartridge image laid out as a 16-byte header, 16 KB of program
// data and 8 KB of character data. Nothing here is read from the image's header.
namespace whoopline::rom {

// The four palette bytes: NES colour indexes of pixel values 0..3, 1-based positions 5102..5105.
constexpr Position PalettePosition = 5102;
constexpr int PaletteSize = 4;

// Tiles 0..255, 16 bytes each: the second 4 KB pattern table, 0-based offsets 0x5010..0x600F.
constexpr qint64 TileDataOffset = 0x5010;
constexpr int TileCount = 256;
constexpr int TileByteCount = 16;
constexpr qint64 TileDataSize = TileCount * TileByteCount;

// The smallest image the editor accepts: it must hold the last tile byte at offset 0x600F.
constexpr qint64 MinimumImageSize = TileDataOffset + TileDataSize; // 24,592

// A tile is drawn doubled, as a 16 x 16 block; the sheet is one row of 256 blocks.
constexpr int BlockSize = 16;
constexpr int SheetWidth = TileCount * BlockSize; // 4096
constexpr int SheetHeight = BlockSize;

// The track view and its empty-track background.
constexpr int ViewWidth = 512;
constexpr int ViewHeight = 256;

// Tiles of the empty-track background: nine rows of sky, then the band of the track.
constexpr int SkyTile = 252;
constexpr int SkyRows = 9;
constexpr int BandTiles[] = {59, 60, 61, 59, 60, 61};

} // namespace whoopline::rom
