#pragma once

#include <QByteArray>
#include <QImage>

namespace whoopline::view {

// Draws one picture record into target with its origin at (xOrigin, 0). A byte 0..15 starts a
// column 16 pixels right of the previous one (the first lands on the origin) and puts the next
// block at y = 16 x byte; a byte 16..255 copies that block of the tile sheet picGFX into the
// current column and moves y down 16; the record's final 0 ends it. Blocks before the first
// column start go one column left of the origin. Everything is clipped to the target.
void DrawObjectPicture(QImage &target, const QImage &picGFX, const QByteArray &record, qint64 xOrigin);

} // namespace whoopline::view
