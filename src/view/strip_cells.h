#pragma once

#include <QByteArray>
#include <QImage>

#include <vector>

namespace whoopline::view {

// Draws pictures into a strip the way DrawObjectPicture does, with the same result, but copies
// far fewer blocks. A block drawn at a position that is a multiple of 16 covers exactly one
// 16 x 16 cell of the strip, so of all the blocks drawn into a cell only the last one shows: the
// cells remember that one and finish() copies it once. A span draws its picture every 16 pixels
// over the same cells, up to 33 times per cell; this way a redraw copies each cell at most once.
// A block that would not cover its cell (off the grid, or reaching past the tile sheet) is
// copied at once, after the cells remembered so far, so the order of drawing is kept.
// Fills strip with copies of background side by side from its left edge.
void TileBackground(QImage &strip, const QImage &background);

class StripCells
{
public:
    // Both pictures must outlive this object; strip is drawn into. A strip that is a band of a
    // taller picture gives the picture's row at its top, a multiple of 16, as rowOffset.
    // With a background, the strip's pixels are not read: every cell nothing covers gets the
    // background's (repeated to the right) as the cells are copied, so each pixel is written once.
    StripCells(QImage &strip, const QImage &picGFX, int rowOffset = 0, const QImage *background = nullptr);
    StripCells(const StripCells &) = delete;
    StripCells &operator=(const StripCells &) = delete;

    void drawPicture(const QByteArray &record, qint64 xOrigin);
    // copies drawings of record 16 apart from xOrigin, as a span draws its picture; the same
    // result as drawPicture for each in turn.
    void drawCopies(const QByteArray &record, qint64 xOrigin, qint64 copies);

    // Copies the remembered blocks into the strip. Drawing may go on afterwards.
    void finish();

private:
    void copyNow(qint64 x, qint64 y, int block);
    bool drawCopiesOnTheGrid(const QByteArray &record, qint64 xOrigin, qint64 copies);
    void copyCellByCell();
    void copyLineByLine();

    QImage &m_strip;
    const QImage &m_sheet;
    // Sizes read once: drawPicture() looks at them for every block of every drawing.
    qint64 m_width = 0;
    qint64 m_height = 0;
    qint64 m_rowOffset = 0;
    qint64 m_blocksInSheet = 0; // blocks 0..m_blocksInSheet - 1 lie whole in the sheet
    int m_columns = 0;
    std::vector<int> m_cells; // row by row; NoBlock where nothing was drawn
    const QImage *m_background; // still to be drawn, under the cells
    bool m_pending = false;
};

} // namespace whoopline::view
