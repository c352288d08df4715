#include "object_picture.h"

#include "block_copy.h"
#include "rom_layout.h"

namespace whoopline::view {

namespace {

constexpr int LastColumnStart = 15;

} // namespace

void DrawObjectPicture(QImage &target, const QImage &picGFX, const QByteArray &record, qint64 xOrigin)
{
    constexpr qint64 block = rom::BlockSize;
    // A record reaches at most one column left of its origin and one column right per byte, so
    // an origin outside this range draws nothing; inside it no position can overflow.
    const qint64 reach = block * (qint64(record.size()) + 1);
    if (xOrigin >= target.width() + block || xOrigin < -reach)
        return;

    qint64 x = xOrigin - block;
    qint64 y = 0;
    for (const char byteValue : record) {
        const int byte = quint8(byteValue);
        if (byte == 0)
            break;
        if (byte <= LastColumnStart) {
            x += block;
            y = block * byte;
            // Columns only move right: once past the target, nothing more can show.
            if (x >= target.width())
                break;
        } else {
            if (y < target.height())
                rom::CopyBlock(target, x, y, picGFX, byte);
            y += block;
        }
    }
}

} // namespace whoopline::view
