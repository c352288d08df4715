#include "sample_tiles.h"

#include "sample_tile_art.h"

#include <QSet>

#include <algorithm>
#include <cstring>
#include <map>

namespace whoopline::sample {

namespace {

// Bytes 0..15 of a picture record start columns, so blocks 0..15 can't be named.
constexpr int FirstNameableTile = 16;

using TilePixels = std::array<std::array<int, TileArtSize>, TileArtSize>;

int pixelValue(char c)
{
    switch (c) {
    case '.':
        return 0;
    case '1':
    case '2':
    case '3':
        return c - '0';
    default:
        return -1;
    }
}

// The characters of one tile's row inside a row of the group, or nothing when the row is short.
const char *tileRow(const char *groupRow, int index)
{
    const size_t start = size_t(index) * (TileArtSize + 1);
    return std::strlen(groupRow) >= start + TileArtSize ? groupRow + start : nullptr;
}

// Every tile's pixels: drawn ones from their art (faulty characters read as 0), then mirrors.
std::map<int, TilePixels> allTilePixels()
{
    std::map<int, TilePixels> tiles;
    for (const TileArt &art : TileArtGroups()) {
        for (int k = 0; k < int(art.tiles.size()); ++k) {
            TilePixels pixels{};
            for (int r = 0; r < TileArtSize; ++r) {
                if (const char *row = tileRow(art.rows[r], k)) {
                    for (int c = 0; c < TileArtSize; ++c)
                        pixels[r][c] = std::max(0, pixelValue(row[c]));
                }
            }
            tiles[art.tiles[k]] = pixels;
        }
    }
    for (const MirroredTile &mirror : MirroredTiles()) {
        TilePixels pixels = tiles[mirror.of];
        for (auto &row : pixels)
            std::reverse(row.begin(), row.end());
        tiles[mirror.tile] = pixels;
    }
    return tiles;
}

} // namespace

QByteArray SampleTileData()
{
    QByteArray data(rom::TileDataSize, '\0');
    for (const auto &[tile, pixels] : allTilePixels()) {
        if (tile < 0 || tile >= rom::TileCount)
            continue;
        char *bytes = data.data() + tile * rom::TileByteCount;
        for (int r = 0; r < TileArtSize; ++r) {
            int plane0 = 0;
            int plane1 = 0;
            for (int c = 0; c < TileArtSize; ++c) {
                const int bit = 0x80 >> c;
                if (pixels[r][c] & 1)
                    plane0 |= bit;
                if (pixels[r][c] & 2)
                    plane1 |= bit;
            }
            bytes[r] = char(plane0);
            bytes[TileArtSize + r] = char(plane1);
        }
    }
    return data;
}

QStringList SampleTileArtProblems()
{
    QStringList problems;
    QSet<int> drawn;
    auto claim = [&](int tile) {
        if (tile < FirstNameableTile || tile >= rom::TileCount)
            problems << QStringLiteral("Tile %1 can't be named by a picture.").arg(tile);
        if (drawn.contains(tile))
            problems << QStringLiteral("Tile %1 is drawn twice.").arg(tile);
        drawn.insert(tile);
    };

    for (const TileArt &art : TileArtGroups()) {
        if (art.tiles.empty()) {
            problems << QStringLiteral("A group of tile art names no tile.");
            continue;
        }
        for (int tile : art.tiles)
            claim(tile);
        const size_t count = art.tiles.size();
        const size_t expected = count * (TileArtSize + 1) - 1;
        for (int r = 0; r < TileArtSize; ++r) {
            const char *row = art.rows[r];
            bool sound = std::strlen(row) == expected;
            for (size_t i = 0; sound && i < expected; ++i) {
                const bool separator = i % (TileArtSize + 1) == TileArtSize;
                sound = separator ? row[i] == ' ' : pixelValue(row[i]) >= 0;
            }
            if (!sound)
                problems << QStringLiteral("Row %1 of the art of tile %2 should be %3 tiles of "
                                           "'.', '1', '2', '3', one space apart: \"%4\".")
                                .arg(r)
                                .arg(art.tiles.front())
                                .arg(count)
                                .arg(QLatin1String(row));
        }
    }
    for (const MirroredTile &mirror : MirroredTiles()) {
        if (!drawn.contains(mirror.of))
            problems << QStringLiteral("Tile %1 mirrors tile %2, which has no art.")
                            .arg(mirror.tile)
                            .arg(mirror.of);
        claim(mirror.tile);
    }
    return problems;
}

} // namespace whoopline::sample
