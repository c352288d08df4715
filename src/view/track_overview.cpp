#include "view/track_overview.h"

#include "rom/rom_layout.h"
#include "view/alternative_marks.h"
#include "view/strip_layout.h"
#include "view/track_cells.h"

#include <algorithm>

namespace whoopline::view {

namespace {

// The 16 x 16 square at (x, y) of source, averaged into scale x scale pixels stored row by row.
void reduceSquare(const QImage &source, int x, int y, int scale, QRgb *into)
{
    const int part = Cell / scale;
    for (int row = 0; row < scale; ++row)
        for (int column = 0; column < scale; ++column) {
            int r = 0, g = 0, b = 0;
            for (int dy = 0; dy < part; ++dy) {
                const auto *line = reinterpret_cast<const QRgb *>(source.constScanLine(y + row * part + dy));
                for (int dx = 0; dx < part; ++dx) {
                    const QRgb pixel = line[x + column * part + dx];
                    r += qRed(pixel);
                    g += qGreen(pixel);
                    b += qBlue(pixel);
                }
            }
            const int n = part * part;
            into[row * scale + column] = qRgb((r + n / 2) / n, (g + n / 2) / n, (b + n / 2) / n);
        }
}

// Every whole 16 x 16 square of source, reduced: square i at [i * scale * scale, ...).
std::vector<QRgb> reducedSquares(const QImage &source, int rows, int columns, int scale)
{
    std::vector<QRgb> squares(size_t(rows) * size_t(columns) * size_t(scale * scale));
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < columns; ++column)
            reduceSquare(source, column * Cell, row * Cell, scale,
                         squares.data() + (size_t(row) * size_t(columns) + size_t(column)) * size_t(scale * scale));
    return squares;
}

} // namespace

OverviewTiles MakeOverviewTiles(const QImage &picBuffer, const QImage &picGFX, int blockPixels)
{
    OverviewTiles tiles;
    const QImage background = picBuffer.convertToFormat(QImage::Format_RGB32);
    const QImage sheet = picGFX.convertToFormat(QImage::Format_RGB32);
    if (blockPixels <= 0 || Cell % blockPixels != 0)
        return tiles;
    tiles.blockPixels = blockPixels;
    tiles.rows = background.height() / Cell;
    tiles.backgroundColumns = background.width() / Cell;
    tiles.blocksInSheet = sheet.height() >= Cell ? sheet.width() / Cell : 0;
    tiles.blocks = reducedSquares(sheet, tiles.blocksInSheet > 0 ? 1 : 0, tiles.blocksInSheet, blockPixels);
    tiles.background = reducedSquares(background, tiles.rows, tiles.backgroundColumns, blockPixels);
    return tiles;
}

TrackOverviewPicture DrawTrackOverview(const track::TrackObjectList &objects, const QImage &picBuffer,
                                       const QImage &picGFX, const std::optional<PictureStream> &stream,
                                       bool markAlternative, int blockPixels)
{
    return DrawTrackOverview(objects, MakeOverviewTiles(picBuffer, picGFX, blockPixels), stream, markAlternative);
}

TrackOverviewPicture DrawTrackOverview(const track::TrackObjectList &objects, const OverviewTiles &tiles,
                                       const std::optional<PictureStream> &stream, bool markAlternative,
                                       qint64 fromColumn, qint64 toColumn)
{
    TrackOverviewPicture overview;
    const int scale = tiles.blockPixels;
    overview.blockPixels = scale;
    overview.lefts = TrackObjectLefts(objects);
    const int rows = tiles.rows, backgroundColumns = tiles.backgroundColumns;
    overview.totalColumns = (overview.lefts.back() + Cell - 1) / Cell;
    if (overview.totalColumns <= 0 || rows <= 0 || backgroundColumns <= 0)
        return overview;
    const TrackCells laid = LayTrackCells(objects, stream, rows, tiles.blocksInSheet, fromColumn, toColumn);
    overview.firstColumn = laid.firstColumn;
    const qint64 columns = laid.columns;
    if (columns <= 0)
        return overview;
    overview.picture = QImage(int(columns * scale), rows * scale, QImage::Format_RGB32);
    if (overview.picture.isNull())
        return overview;
    const size_t square = size_t(scale) * size_t(scale);
    std::vector<QRgb *> lines(static_cast<size_t>(scale), nullptr);
    for (int row = 0; row < rows; ++row) {
        for (int line = 0; line < scale; ++line)
            lines[size_t(line)] = reinterpret_cast<QRgb *>(overview.picture.scanLine(row * scale + line));
        const QRgb *emptyRow = tiles.background.data() + size_t(row) * size_t(backgroundColumns) * square;
        const int *cellRow = laid.cells.data() + size_t(row) * size_t(columns);
        int backgroundColumn = int(laid.firstColumn % backgroundColumns);
        QRgb *const firstLine = lines[0], *const secondLine = lines[size_t(std::min(1, scale - 1))];
        for (qint64 column = 0; column < columns; ++column) {
            const int block = cellRow[column];
            const QRgb *from = block != NoCellBlock && block < tiles.blocksInSheet
                ? tiles.blocks.data() + size_t(block) * square
                : emptyRow + size_t(backgroundColumn) * square;
            const qint64 x = column * scale;
            if (scale == 2) {
                // The usual scale, in locals the stores can't alias.
                QRgb *const top = firstLine + x, *const bottom = secondLine + x;
                top[0] = from[0];
                top[1] = from[1];
                bottom[0] = from[2];
                bottom[1] = from[3];
            } else {
                for (int line = 0; line < scale; ++line)
                    for (int pixel = 0; pixel < scale; ++pixel)
                        lines[size_t(line)][x + pixel] = from[line * scale + pixel];
            }
            if (++backgroundColumn == backgroundColumns)
                backgroundColumn = 0;
        }
    }
    if (markAlternative)
        MarkAlternativeObjects(overview.picture, objects, 0, int(objects.size()) - 1, scale, 0, laid.firstColumn * Cell);
    return overview;
}

OverviewSpan OverviewRoomOf(const TrackOverviewPicture &overview, int first, int last)
{
    const int count = int(overview.lefts.size()) - 1;
    first = std::clamp(first, 0, count);
    last = std::clamp(last, first - 1, count - 1);
    const auto scaled = [&](qint64 x) { return x * overview.blockPixels / Cell; };
    return {scaled(overview.lefts[size_t(first)]), scaled(overview.lefts[size_t(last) + 1])};
}

OverviewSpan OverviewShownStretch(const TrackOverviewPicture &overview, int current, int viewWidth)
{
    OverviewSpan span = OverviewRoomOf(overview, current, current + ObjectsAfterCurrent);
    span.right = std::min(span.right, span.left + qint64(viewWidth) * overview.blockPixels / Cell);
    return span;
}

void PaintOverviewOutlines(QPainter &painter, const TrackOverviewPicture &overview, int current,
                           int viewWidth, int selectedFirst, int selectedLast)
{
    const int height = overview.picture.height();
    if (overview.lefts.size() < 2 || current < 0 || current >= int(overview.lefts.size()) - 1)
        return;
    if (selectedFirst >= 0 && selectedLast >= selectedFirst) {
        const OverviewSpan selected = OverviewRoomOf(overview, selectedFirst, selectedLast);
        painter.fillRect(int(selected.left), 0, int(selected.right - selected.left), height, OverviewSelectionTint);
    }
    const auto frame = [&](qint64 left, qint64 right, int inset, const QColor &colour) {
        const int x = int(left) + inset, w = int(std::max<qint64>(right - left - 2 * inset, 2));
        const int y = inset, h = height - 2 * inset;
        painter.fillRect(x, y, w, 1, colour);
        painter.fillRect(x, y + h - 1, w, 1, colour);
        painter.fillRect(x, y, 1, h, colour);
        painter.fillRect(x + w - 1, y, 1, h, colour);
    };
    const OverviewSpan stretch = OverviewShownStretch(overview, current, viewWidth);
    frame(stretch.left, stretch.right, 0, OverviewStretchOutline);
    const OverviewSpan object = OverviewRoomOf(overview, current, current);
    frame(object.left, object.right, 1, OverviewCurrentOutline);
}

int OverviewObjectAt(const TrackOverviewPicture &overview, qint64 x)
{
    return ObjectAtTrackX(overview.lefts, x * Cell / overview.blockPixels);
}

} // namespace whoopline::view
