#pragma once

#include "rom/image_file.h"

#include <array>

// Where the five tracks lie in the image. Track numbers are 1-based (1..5); the arrays below are
// indexed by track number - 1. Positions are 1-based (see image_file.h).
namespace whoopline::track {

constexpr int TrackCount = 5;

// A track's region is its laps byte at the start position, then exactly budget object bytes.
// The regions follow each other in the image in the track order 1, 3, 2, 4, 5.
constexpr std::array<Position, TrackCount> TrackStartPositions = {11607, 11882, 11737, 12003, 12216};
constexpr std::array<int, TrackCount> TrackByteBudgets = {129, 120, 144, 212, 187};

// The byte just after track 5's region; it belongs to no track.
constexpr Position PositionAfterLastRegion = 12404;

constexpr bool isTrackNumber(int track)
{
    return track >= 1 && track <= TrackCount;
}

constexpr Position trackStartPosition(int track)
{
    return TrackStartPositions[track - 1];
}

constexpr int trackByteBudget(int track)
{
    return TrackByteBudgets[track - 1];
}

// A first byte of 64..70, compared as the whole unsigned byte, starts a two-byte object (a span)
// whose second byte is its length in 16-pixel blocks. 0xC0..0xC6 are one-byte objects.
constexpr int FirstSpanCode = 64;
constexpr int LastSpanCode = 70;

constexpr bool isSpanCode(int byte)
{
    return byte >= FirstSpanCode && byte <= LastSpanCode;
}

// Bit 7 of a one-byte object marks it as present only in the game's alternative track.
constexpr int AlternativeBit = 0x80;

// The one-byte object ids that the editor's tables cover.
constexpr int ObjectIdCount = 50;

constexpr int objectIdOf(int byte)
{
    return byte & ~AlternativeBit;
}

// Laps are shown and chosen in 1..255.
constexpr int MinimumLaps = 1;
constexpr int MaximumLaps = 255;

} // namespace whoopline::track
