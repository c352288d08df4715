#pragma once

#include <QImage>

namespace whoopline::rom {

// Copies block `block` of the tile sheet (the 16 x 16 square at x = 16 x block, y = 0) into
// target with its top-left corner at (x, y), as a plain source copy. Whatever falls outside the
// target or the sheet is dropped, so any position is safe.
void CopyBlock(QImage &target, qint64 x, qint64 y, const QImage &sheet, int block);

} // namespace whoopline::rom
