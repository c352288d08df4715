#include "block_copy.h"

#include "rom_layout.h"

#include <algorithm>
#include <cstring>

namespace whoopline::rom {

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

    const bool sameLayout = target.format() == sheet.format() && target.depth() == 32;
    for (qint64 row = top; row < bottom; ++row) {
        const int targetY = int(y + row);
        const int targetX = int(x + left);
        const int fromX = int(sourceX + left);
        const int count = int(right - left);
        if (sameLayout) {
            const auto *from = reinterpret_cast<const QRgb *>(sheet.constScanLine(int(row))) + fromX;
            auto *to = reinterpret_cast<QRgb *>(target.scanLine(targetY)) + targetX;
            std::memcpy(to, from, sizeof(QRgb) * size_t(count));
        } else {
            for (int i = 0; i < count; ++i)
                target.setPixel(targetX + i, targetY, sheet.pixel(fromX + i, int(row)));
        }
    }
}

} // namespace whoopline::rom
