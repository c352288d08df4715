#include "view/track_cells.h"

#include "rom/rom_layout.h"
#include "track/track_layout.h"
#include "view/object_picture.h"
#include "view/object_walk.h"
#include "view/strip_layout.h"

#include <algorithm>
#include <limits>

namespace whoopline::view {

namespace {

// A record drawn at origin 0: column 0 holds what lands one column left of the origin, column
// j + 1 what lands in the picture's column j; per row the block that shows there last.
struct RecordCells
{
    int rows = 0;
    std::vector<int> blocks; // column by column, rows each
    int columns() const { return rows ? int(blocks.size()) / rows : 0; }
};

RecordCells recordCells(const QByteArray &record, int rows, int blocksInSheet, bool &exact)
{
    RecordCells cells{rows, {}};
    ForEachPictureBlock(record, 0, QSize(std::numeric_limits<int>::max(), rows * Cell),
                        [&](qint64 x, qint64 y, int block) {
                            const size_t column = size_t(x / Cell + 1);
                            if (cells.blocks.size() < (column + 1) * size_t(rows))
                                cells.blocks.resize((column + 1) * size_t(rows), NoCellBlock);
                            cells.blocks[column * size_t(rows) + size_t(y / Cell)] = block;
                            exact = exact && block < blocksInSheet;
                        });
    return cells;
}

} // namespace

TrackCells LayTrackCells(const track::TrackObjectList &objects, const std::optional<PictureStream> &stream,
                         int rows, int blocksInSheet, qint64 fromColumn, qint64 toColumn)
{
    TrackCells laid;
    const std::vector<qint64> lefts = TrackObjectLefts(objects);
    laid.rows = rows;
    const qint64 trackColumns = (lefts.back() + Cell - 1) / Cell;
    fromColumn = std::clamp<qint64>(fromColumn, 0, trackColumns);
    toColumn = toColumn < 0 ? trackColumns : std::clamp(toColumn, fromColumn, trackColumns);
    laid.firstColumn = fromColumn;
    laid.columns = toColumn - fromColumn;
    laid.cells.assign(size_t(laid.columns) * size_t(rows), NoCellBlock);
    std::vector<int> next;
    for (int i = 0; i < objects.size(); ++i) {
        const track::TrackObject &object = objects.at(i);
        if (object.Bytes.isEmpty())
            continue;
        const int code = track::objectIdOf(object.code());
        const QByteArray record = PictureRecordOf(object, stream);
        const qint64 x = lefts[size_t(i)];
        // A picture reaches one column left of its origin.
        if (x / Cell - 1 >= toColumn)
            break;
        if (record.isEmpty())
            continue;
        laid.exact = laid.exact && x % Cell == 0;
        const RecordCells drawn = recordCells(record, rows, blocksInSheet, laid.exact);
        const int width = drawn.columns();
        // A one-byte object is a span of one copy.
        const qint64 copies = track::isSpanCode(code) ? (lefts[size_t(i) + 1] - x) / Cell : 1;
        const qint64 first = x / Cell - 1 - fromColumn;
        if (width == 0 || copies == 0 || first + width + copies - 1 <= 0)
            continue;
        next.resize(size_t(width) + 1);
        for (int row = 0; row < rows; ++row) {
            // next[j]: the first record column from j on that draws in this row, width if none.
            next[size_t(width)] = width;
            for (int j = width - 1; j >= 0; --j)
                next[size_t(j)] = drawn.blocks[size_t(j) * size_t(rows) + size_t(row)] != NoCellBlock ? j : next[size_t(j) + 1];
            // Cell first + t is drawn by copy k with record column t - k; the last copy wins,
            // which is the smallest record column that draws.
            const qint64 reach = std::min<qint64>(width + copies - 1, laid.columns - first);
            int *const rowCells = laid.cells.data() + size_t(row) * size_t(laid.columns);
            const auto settle = [&](qint64 t) {
                const qint64 lowest = std::max<qint64>(0, t - copies + 1), highest = std::min<qint64>(t, width - 1);
                const int j = next[size_t(lowest)];
                if (j <= highest)
                    rowCells[first + t] = drawn.blocks[size_t(j) * size_t(rows) + size_t(row)];
            };
            // Where every record column has a copy over the cell, the first column that draws
            // wins throughout: the middle of a long span is one run.
            const qint64 start = std::max<qint64>(0, -first);
            const qint64 runFrom = std::max<qint64>(width - 1, start), runTo = std::min<qint64>(copies, reach);
            const int runColumn = next[0];
            if (runFrom < runTo && runColumn < width) {
                for (qint64 t = start; t < runFrom; ++t)
                    settle(t);
                std::fill(rowCells + first + runFrom, rowCells + first + runTo, drawn.blocks[size_t(runColumn) * size_t(rows) + size_t(row)]);
                for (qint64 t = runTo; t < reach; ++t)
                    settle(t);
            } else {
                for (qint64 t = start; t < reach; ++t)
                    settle(t);
            }
        }
    }
    return laid;
}

} // namespace whoopline::view
