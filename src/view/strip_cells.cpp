#include "view/strip_cells.h"

#include "rom/block_copy.h"
#include "rom/rom_layout.h"
#include "view/object_picture.h"
#include "view/strip_layout.h"

#include <algorithm>

namespace whoopline::view {

namespace {

constexpr int NoBlock = -1;

// Distinct pointers and a fixed count: the compiler copies the 64 bytes with a few vector moves
// instead of calling memmove 8,192 times per redraw.
void copyCellLine(QRgb *__restrict to, const QRgb *__restrict from)
{
    for (int i = 0; i < Cell; ++i)
        to[i] = from[i];
}

int cellsFor(int pixels)
{
    return pixels > 0 ? (pixels + Cell - 1) / Cell : 0;
}

} // namespace

StripCells::StripCells(QImage &strip, const QImage &picGFX, int rowOffset)
    : m_strip(strip), m_sheet(picGFX), m_width(strip.width()), m_height(strip.height()), m_rowOffset(rowOffset),
      m_blocksInSheet(picGFX.height() >= Cell ? picGFX.width() / Cell : 0),
      m_columns(cellsFor(strip.width())), m_cells(size_t(m_columns) * size_t(cellsFor(strip.height())), NoBlock)
{
}

void StripCells::drawPicture(const QByteArray &record, qint64 xOrigin)
{
    // Runs for every block of every drawing: the common case stays inline and works on locals,
    // which the stores into the cells can't alias.
    int *const cells = m_cells.data();
    const size_t columns = size_t(m_columns);
    const quint64 width = quint64(m_width);
    const qint64 blocksInSheet = m_blocksInSheet;
    const qint64 rowOffset = m_rowOffset;
    bool placed = false;
    const QSize walked(int(m_width), int(m_rowOffset + m_height));
    ForEachPictureBlock(record, xOrigin, walked, [&](qint64 x, qint64 y, int block) {
        y -= rowOffset;
        if (y < 0)
            return;
        if (((x | y) & (Cell - 1)) != 0 || block >= blocksInSheet) {
            m_pending = m_pending || placed;
            placed = false;
            copyNow(x, y, block);
            return;
        }
        // Now 0 <= y < height; x may lie left of the strip (negative) or past it.
        if (quint64(x) >= width)
            return;
        cells[size_t(y) / Cell * columns + size_t(x) / Cell] = block;
        placed = true;
    });
    m_pending = m_pending || placed;
}

void StripCells::copyNow(qint64 x, qint64 y, int block)
{
    finish();
    rom::CopyBlock(m_strip, x, y, m_sheet, block);
}

void StripCells::finish()
{
    if (!m_pending)
        return;
    if (m_strip.format() == m_sheet.format() && m_strip.depth() == 32)
        copyLineByLine();
    else
        copyCellByCell();
    std::fill(m_cells.begin(), m_cells.end(), NoBlock);
    m_pending = false;
}

void StripCells::copyCellByCell()
{
    for (size_t i = 0; i < m_cells.size(); ++i) {
        if (m_cells[i] == NoBlock)
            continue;
        const qint64 x = qint64(i % size_t(m_columns)) * Cell;
        const qint64 y = qint64(i / size_t(m_columns)) * Cell;
        rom::CopyBlock(m_strip, x, y, m_sheet, m_cells[i]);
    }
}

// The same copies as copyCellByCell(), made one strip line at a time: the strip is written
// front to back and each line reads a single line of the sheet.
void StripCells::copyLineByLine()
{
    uchar *const bits = m_strip.bits();
    const qsizetype stride = m_strip.bytesPerLine();
    for (int y = 0; y < m_height; ++y) {
        const int *cellRow = m_cells.data() + size_t(y / Cell) * size_t(m_columns);
        auto *line = reinterpret_cast<QRgb *>(bits + y * stride);
        const auto *sheetLine = reinterpret_cast<const QRgb *>(m_sheet.constScanLine(y % Cell));
        for (int column = 0; column < m_columns; ++column) {
            const int block = cellRow[column];
            if (block == NoBlock)
                continue;
            const qint64 x = qint64(column) * Cell;
            const QRgb *from = sheetLine + qint64(block) * Cell;
            if (x + Cell <= m_width)
                copyCellLine(line + x, from);
            else
                std::copy_n(from, m_width - x, line + x);
        }
    }
}

} // namespace whoopline::view
