#pragma once

#include <array>
#include <vector>

// The drawings behind the sample's tiles, kept apart from their encoding.
namespace whoopline::sample {

constexpr int TileArtSize = 8;

// Tiles drawn side by side: each row holds one 8-character row of every tile, the tiles separated
// by one space. '.' is pixel value 0, '1'..'3' values 1..3.
struct TileArt
{
    std::vector<int> tiles;
    std::array<const char *, TileArtSize> rows;
};

// A tile that is another one flipped left to right, so that slopes down match slopes up.
struct MirroredTile
{
    int tile;
    int of;
};

const std::vector<TileArt> &TileArtGroups();
const std::vector<MirroredTile> &MirroredTiles();

} // namespace whoopline::sample
