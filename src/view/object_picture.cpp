#include "view/object_picture.h"

#include "rom/block_copy.h"

namespace whoopline::view {

void DrawObjectPicture(QImage &target, const QImage &picGFX, const QByteArray &record, qint64 xOrigin)
{
    ForEachPictureBlock(record, xOrigin, target.size(), [&](qint64 x, qint64 y, int block) {
        rom::CopyBlock(target, x, y, picGFX, block);
    });
}

} // namespace whoopline::view
