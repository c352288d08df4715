#pragma once

#include "rom/result.h"
#include "track/track_model.h"
#include "view/picture_stream.h"

#include <QByteArray>
#include <QString>

namespace whoopline::view {

// An object is never wider than this. It is the largest multiple of 16 that a 16-bit signed
// width can hold; only a broken stream comes near it, and the view shows 512 pixels anyway.
constexpr int MaximumObjectWidth = 32752;

// 16 x the number of bytes 0..15 in the record, its final 0 included: each column start, and
// the final 0, take 16 pixels. Bytes past the record's end read as 0, so an empty record is 16
// wide. Not clamped.
qint64 PictureWidth(const QByteArray &record);

// The width of each object id 0..49: the width of its picture, clamped to MaximumObjectWidth.
track::ObjectWidthTable ComputeObjectWidthTable(const PictureStream &stream);

// Reads the image's picture stream once and computes the table from it.
Result<track::ObjectWidthTable> ReadObjectWidthTable(const QString &path);

} // namespace whoopline::view
