#pragma once

#include "track/track_layout.h"

// Names for the catalogue's object numbers, so that the sample's pictures and tracks read as
// what they show. The alternative bit is added to a one-byte object with `| Alternative`.
namespace whoopline::sample {

enum Object : int
{
    Nothing = 0x00,
    ShortRamp9 = 0x01,    // short, 9 blocks wide, up and down
    ObstacleUp = 0x02,    // a wall of tyres on the far lanes, too tall to jump
    ObstacleUpToo = 0x03, // shares its picture with ObstacleUp
    ObstacleDown = 0x04,  // the same wall on the near lanes
    TallRamp9 = 0x05,     // tall, 9 blocks wide, up and down
    TallKicker6 = 0x06,   // tall, 6 blocks wide, up and a sheer drop
    ShortRamp5 = 0x07,    // short, 5 blocks wide
    ShortRamp3 = 0x08,    // short, 3 blocks wide
    LapEndRamp = 0x09,
    TallDrop6 = 0x0A, // tall, 6 blocks wide, a sheer rise and down
    TallRamp5 = 0x0B, // tall, 5 blocks wide
    DirtTop = 0x0C,
    DirtBottom = 0x0D,
    BoostRampTop = 0x0E, // 3 blocks wide
    BoostTop = 0x0F,
    BoostBottom = 0x10,
    EndLineFull = 0x11,
    EndLineBottom = 0x12,
    EndLineTop = 0x13,
    BigRampUp = 0x14, // 8 blocks wide, climbs to the second platform level
    RampToLevel1 = 0x15,
    GrassFull = 0x16,
    StartLineFull = 0x17,
    GrassBottom = 0x18,
    StartLineBottom = 0x19,
    GrassTop = 0x1A,
    StartLineTop = 0x1B,
    RaisedGround = 0x1C,
    RaisedDirt = 0x1D,    // 3 blocks of raised ground with dirt on the near lanes
    RaisedDirtToo = 0x1E, // shares its picture with RaisedDirt
    RaisedGroundEnd = 0x1F,
    Level1 = 0x20,
    RampLevel1To2 = 0x21,
    Level2 = 0x22,
    BigRampDown = 0x23, // the way down from BigRampUp
    Nothing30 = 0x30,
    Nothing31 = 0x31,

    // Spans: the byte after the code is the length in blocks.
    EmptySpan = 0x40,
    Level1Span = 0x41,
    GrassBottomSpan = 0x42,
    GrassTopSpan = 0x43,
    RaisedGroundSpan = 0x44,
    Level2Span = 0x45,
    GrassFullSpan = 0x46,
};

constexpr int Alternative = track::AlternativeBit;

} // namespace whoopline::sample
