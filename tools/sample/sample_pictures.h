#pragma once

#include <QByteArray>

namespace whoopline::sample {

// The object picture stream: pictures 0..33 one after another, each a record of column starts
// (a byte 1..15 begins the next column, its first block that many blocks down) and blocks (tile
// numbers), ended by a 0.
QByteArray SamplePictureStream();

} // namespace whoopline::sample
