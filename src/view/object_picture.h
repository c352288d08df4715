#pragma once

#include "rom/rom_layout.h"

#include <QByteArray>
#include <QImage>
#include <QSize>

namespace whoopline::view {

// Walks one picture record with its origin at (xOrigin, 0) and calls place(x, y, block) for
// every block that may land inside a target of size `target`, in drawing order. A byte 0..15
// starts a column 16 pixels right of the previous one (the first lands on the origin) and puts
// the next block at y = 16 x byte; a byte 16..255 is a block of the tile sheet for the current
// column, after which y moves down 16; the record's final 0 ends it. Blocks before the first
// column start go one column left of the origin. Positions may still lie left of the target.
template <typename Place>
void ForEachPictureBlock(const QByteArray &record, qint64 xOrigin, QSize target, Place &&place)
{
    constexpr qint64 block = rom::BlockSize;
    constexpr int lastColumnStart = 15;
    // A record reaches at most one column left of its origin and one column right per byte, so
    // an origin outside this range places nothing; inside it no position can overflow.
    const qint64 reach = block * (qint64(record.size()) + 1);
    if (xOrigin >= target.width() + block || xOrigin < -reach)
        return;

    qint64 x = xOrigin - block;
    qint64 y = 0;
    for (const char byteValue : record) {
        const int byte = quint8(byteValue);
        if (byte == 0)
            break;
        if (byte <= lastColumnStart) {
            x += block;
            y = block * byte;
            // Columns only move right: once past the target, nothing more can show.
            if (x >= target.width())
                break;
        } else {
            if (y < target.height())
                place(x, y, byte);
            y += block;
        }
    }
}

// Draws one picture record into target with its origin at (xOrigin, 0), copying each block of
// ForEachPictureBlock from the tile sheet picGFX. Everything is clipped to the target.
void DrawObjectPicture(QImage &target, const QImage &picGFX, const QByteArray &record, qint64 xOrigin);

} // namespace whoopline::view
