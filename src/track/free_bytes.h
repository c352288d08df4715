#pragma once

#include "track/track_model.h"

// A track's free bytes are the one-byte objects 0 at its end: the game reads them as empty track,
// and an insert takes its byte from there.
namespace whoopline::track {

constexpr char FreeByte = 0;

inline bool isFreeByte(const TrackObject &object)
{
    return !object.isSpan() && object.Bytes.at(0) == FreeByte;
}

// How many objects at the end of objects are free bytes.
inline int FreeByteCount(const TrackObjectList &objects)
{
    int count = 0;
    for (auto it = objects.crbegin(); it != objects.crend() && isFreeByte(*it); ++it)
        ++count;
    return count;
}

} // namespace whoopline::track
