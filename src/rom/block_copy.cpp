#include "rom/block_copy.h"

#include "rom/rom_layout.h"

#include <algorithm>
#include <cstring>

namespace whoopline::rom {

namespace {

// Distinct pointers and a fixed count let the compiler copy a row with a few vector moves; a
// memcpy of the same 64 bytes was compiled into a slow string instruction.
void copyWholeRow(QRgb *__restrict to, const QRgb *__restrict from)
{
    for (int i = 0; i < BlockSize; ++i)
        to[i] = from[i];
}

} // namespace

void CopyBlock(QImage &target, qint64 x, qint64 y, const QImage &sheet, int block)
{
    if (target.isNull() || sheet.isNull() || block < 0)
        return;
    // Rejecting far-off positions first keeps the arithmetic below small.
    if (x <= -BlockSize || x >= target.width() || y <= -BlockSize || y >= target.height())
        return;
    const qint64 sourceX = qint64(block) * BlockSize;
    // The part of the 16 x 16 square that lies inside both the target and the sheet.
    const qint64 left = std::max<qint64>({0, -x, -sourceX});
    const qint64 top = std::max<qint64>(0, -y);
    const qint64 right = std::min<qint64>({BlockSize, target.width() - x, sheet.width() - sourceX});
    const qint64 bottom = std::min<qint64>({BlockSize, target.height() - y, sheet.height()});
    if (left >= right || top >= bottom)
        return;

    const int targetX = int(x + left);
    const int fromX = int(sourceX + left);
    const int count = int(right - left);
    if (target.format() == sheet.format() && target.depth() == 32) {
        // One detach and one address computation per block rather than per row: the track view
        // copies hundreds of blocks per redraw.
        uchar *const toBits = target.bits();
        const uchar *const fromBits = sheet.constBits();
        const qsizetype toStride = target.bytesPerLine();
        const qsizetype fromStride = sheet.bytesPerLine();
        for (qint64 row = top; row < bottom; ++row) {
            const auto *from = reinterpret_cast<const QRgb *>(fromBits + row * fromStride) + fromX;
            auto *to = reinterpret_cast<QRgb *>(toBits + (y + row) * toStride) + targetX;
            if (count == BlockSize)
                copyWholeRow(to, from);
            else
                std::memcpy(to, from, sizeof(QRgb) * size_t(count));
        }
        return;
    }
    for (qint64 row = top; row < bottom; ++row) {
        for (int i = 0; i < count; ++i)
            target.setPixel(targetX + i, int(y + row), sheet.pixel(fromX + i, int(row)));
    }
}

} // namespace whoopline::rom
