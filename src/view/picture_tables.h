#pragma once

#include "rom/image_file.h"
#include "track/track_layout.h"

#include <array>

// The object picture stream and the fixed tables that lead from an object to its picture.
namespace whoopline::view {

// The stream of zero-terminated picture records starts at this 1-based position; picture N is
// the record after the N-th zero byte. Pictures 0..33 are the ones in use.
constexpr Position PictureStreamPosition = 12476;
constexpr int PictureCount = 34;

// Object id 0..49 -> picture number. Ids 36..49 have no picture of their own and show picture 0;
// ids 2 and 3, and 29 and 30, share a picture.
constexpr std::array<int, track::ObjectIdCount> PictureIndexTable = {
    0,  1,  2,  2,  3,  4,  5,  6,  7,  8,  // ids 0..9
    9,  10, 12, 11, 33, 31, 32, 27, 16, 17, // ids 10..19
    22, 13, 28, 29, 20, 18, 21, 19, 23, 30, // ids 20..29
    30, 24, 14, 15, 25, 26, 0,  0,  0,  0,  // ids 30..39
    0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  // ids 40..49
};

// A span (two-byte object, codes 64..70) repeats the picture of this one-byte object id.
constexpr std::array<int, track::LastSpanCode - track::FirstSpanCode + 1> SpanBaseTable = {
    0, 32, 24, 26, 28, 34, 22};

constexpr int spanBaseId(int spanCode)
{
    return SpanBaseTable[spanCode - track::FirstSpanCode];
}

// The picture that shows an object number: a span shows its base object's picture, and the
// alternative bit does not change the picture. Returns -1 for a number with no picture.
constexpr int pictureOfObject(int objectNumber)
{
    int id = track::isSpanCode(objectNumber) ? spanBaseId(objectNumber) : objectNumber;
    id = track::objectIdOf(id);
    if (id < 0 || id >= track::ObjectIdCount)
        return -1;
    return PictureIndexTable[id];
}

} // namespace whoopline::view
