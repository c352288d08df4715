#include "view/strip_cells.h"

#include "rom/block_copy.h"
#include "rom/rom_layout.h"
#include "view/object_picture.h"
#include "view/strip_layout.h"

#include <QPainter>

#include <algorithm>
#include <bit>
#include <cstring>

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

void TileBackground(QImage &strip, const QImage &background)
{
    if (background.isNull() || strip.format() != background.format()) {
        strip.fill(Qt::black);
        QPainter painter(&strip);
        for (int x = 0; !background.isNull() && x < strip.width(); x += background.width())
            painter.drawImage(x, 0, background);
        return;
    }
    const qsizetype rowBytes = strip.bytesPerLine(), pieceBytes = background.bytesPerLine();
    for (int y = 0; y < std::min(strip.height(), background.height()); ++y) {
        uchar *row = strip.scanLine(y);
        for (qsizetype at = 0; at < rowBytes; at += pieceBytes)
            std::memcpy(row + at, background.constScanLine(y), size_t(std::min(pieceBytes, rowBytes - at)));
    }
}

StripCells::StripCells(QImage &strip, const QImage &picGFX, int rowOffset, const QImage *background)
    : m_strip(strip), m_sheet(picGFX), m_width(strip.width()), m_height(strip.height()), m_rowOffset(rowOffset),
      m_blocksInSheet(picGFX.height() >= Cell ? picGFX.width() / Cell : 0),
      m_columns(cellsFor(strip.width())), m_cells(size_t(m_columns) * size_t(cellsFor(strip.height())), NoBlock),
      m_background(background), m_pending(background != nullptr)
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

void StripCells::drawCopies(const QByteArray &record, qint64 xOrigin, qint64 copies)
{
    if (copies > 1 && drawCopiesOnTheGrid(record, xOrigin, copies))
        return;
    for (qint64 copy = 0; copy < copies; ++copy)
        drawPicture(record, xOrigin + copy * Cell);
}

// Copies on the grid put every block into a cell, where only the last one drawn shows. Taken
// from the last copy back, a cell a later copy has filled is never walked again, so a span costs
// its cells, not its copies times its picture's width. False, having drawn nothing, when a block
// would be copied at once (off the grid, or not whole in the sheet), as only drawPicture keeps
// the order of those; or when the picture is taller than 64 cells.
bool StripCells::drawCopiesOnTheGrid(const QByteArray &record, qint64 xOrigin, qint64 copies)
{
    const int rows = cellsFor(int(m_height));
    if (xOrigin < 0 || xOrigin % Cell != 0 || m_rowOffset % Cell != 0 || rows > 64)
        return false;
    // The picture by column (from the one left of its origin): which rows it fills, and with what.
    std::vector<quint64> filled;
    std::vector<int> blocks;
    int column = 0, row = -int(m_rowOffset / Cell);
    const auto grow = [&] {
        filled.resize(size_t(column) + 1, 0);
        blocks.resize(filled.size() * size_t(rows), NoBlock);
    };
    grow();
    for (const char byteValue : record) {
        const int byte = quint8(byteValue);
        if (byte == 0)
            break;
        if (byte < 16) {
            ++column;
            row = byte - int(m_rowOffset / Cell);
            grow();
            continue;
        }
        if (byte >= m_blocksInSheet)
            return false;
        if (row >= 0 && row < rows) {
            filled[size_t(column)] |= quint64(1) << row;
            blocks[size_t(column) * size_t(rows) + size_t(row)] = byte;
        }
        ++row;
    }
    std::vector<quint64> done(size_t(m_columns), 0);
    const qint64 originColumn = xOrigin / Cell - 1;
    for (qint64 copy = copies - 1; copy >= 0; --copy) {
        for (size_t p = 0; p < filled.size(); ++p) {
            const qint64 c = originColumn + copy + qint64(p);
            if (c < 0)
                continue;
            if (c >= m_columns)
                break;
            quint64 rowsLeft = filled[p] & ~done[size_t(c)];
            done[size_t(c)] |= rowsLeft;
            for (; rowsLeft != 0; rowsLeft &= rowsLeft - 1) {
                const int r = std::countr_zero(rowsLeft);
                m_cells[size_t(r) * size_t(m_columns) + size_t(c)] = blocks[p * size_t(rows) + size_t(r)];
                m_pending = true;
            }
        }
    }
    return true;
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
    const bool lineByLine = m_strip.format() == m_sheet.format() && m_strip.depth() == 32;
    if (m_background && (!lineByLine || m_background->format() != m_strip.format() ||
                         m_background->height() < m_height || m_background->width() % Cell != 0)) {
        TileBackground(m_strip, *m_background);
        m_background = nullptr;
    }
    if (lineByLine)
        copyLineByLine();
    else
        copyCellByCell();
    std::fill(m_cells.begin(), m_cells.end(), NoBlock);
    m_background = nullptr;
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
        const auto *backgroundLine =
            m_background ? reinterpret_cast<const QRgb *>(m_background->constScanLine(y)) : nullptr;
        const int backgroundWidth = m_background ? m_background->width() : 0;
        for (int column = 0; column < m_columns; ++column) {
            const int block = cellRow[column];
            if (block == NoBlock && !backgroundLine)
                continue;
            const qint64 x = qint64(column) * Cell;
            const QRgb *from = block != NoBlock ? sheetLine + qint64(block) * Cell
                                                : backgroundLine + x % backgroundWidth;
            if (x + Cell <= m_width)
                copyCellLine(line + x, from);
            else
                std::copy_n(from, m_width - x, line + x);
        }
    }
}

} // namespace whoopline::view
