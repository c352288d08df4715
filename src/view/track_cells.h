#pragma once

#include "track/track_model.h"
#include "view/picture_stream.h"

#include <optional>
#include <vector>

namespace whoopline::view {

constexpr int NoCellBlock = -1;

// Which tile-sheet block shows in each 16 x 16 cell of the whole track drawn from x 0, as the
// track view draws it: of all blocks drawn into a cell only the last one shows.
struct TrackCells
{
    qint64 firstColumn = 0; // the track's cell column at column 0
    qint64 columns = 0;
    int rows = 0;
    std::vector<int> cells; // row by row; NoCellBlock where the background shows
    // False when some block did not cover its cell (off the 16-pixel grid, or past the tile
    // sheet's blocksInSheet): then only drawing picture by picture gives the exact picture.
    bool exact = true;

    int at(int row, qint64 column) const { return cells[size_t(row) * size_t(columns) + size_t(column)]; }
};

// Lays out objects (a one-byte object's picture at its x, a span's base picture every 16 pixels
// of its room) by the rows of a picture `rows` cells high and as wide as the track. A span's
// copies are settled cell by cell: each cell takes the block of the last copy that draws there,
// so a long span costs its room, not its room times its picture. Only the track's cell columns
// fromColumn..toColumn - 1 are laid out (toColumn < 0: to the end), so the cost follows them.
TrackCells LayTrackCells(const track::TrackObjectList &objects, const std::optional<PictureStream> &stream,
                         int rows, int blocksInSheet, qint64 fromColumn = 0, qint64 toColumn = -1);

} // namespace whoopline::view
