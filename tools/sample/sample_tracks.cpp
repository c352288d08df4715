#include "sample_tracks.h"

#include "sample_objects.h"
#include "track/track_layout.h"

#include <iterator>

namespace whoopline::sample {

namespace {

// Each track is its laps byte followed by its objects, which fill the budget exactly. Tracks 1
// and 2 end in a few free bytes, so that Insert works on them at once.
// clang-format off

// A gentle first track: small ramps, grass and a little dirt.
constexpr quint8 Track1[] = {
    3, // laps
    StartLineFull, EmptySpan, 3, ShortRamp5, EmptySpan, 2, GrassTopSpan, 5, ShortRamp9,
    EmptySpan, 2, DirtBottom, Nothing, ShortRamp3, ShortRamp3, EmptySpan, 3, BoostBottom, TallRamp5,
    EmptySpan, 2, GrassFullSpan, 4, EmptySpan, 2, TallRamp9 | Alternative, EmptySpan, 3, DirtTop,
    EmptySpan, 2, ShortRamp9, GrassBottomSpan, 6, ShortRamp5, ShortRamp5, EmptySpan, 4,
    ObstacleDown, EmptySpan, 2, TallRamp9, EmptySpan, 2, BoostTop, Nothing, ShortRamp3,
    EmptySpan, 2, GrassTopSpan, 3, GrassFullSpan, 3, GrassBottomSpan, 3, EmptySpan, 2, TallKicker6,
    EmptySpan, 4, DirtBottom | Alternative, ShortRamp9, EmptySpan, 3, TallRamp5, TallRamp5,
    EmptySpan, 3, GrassFullSpan, 5, EmptySpan, 2, ShortRamp5, EmptySpan, 2, DirtTop, DirtBottom,
    EmptySpan, 3, BoostRampTop, EmptySpan, 3, TallRamp9, EmptySpan, 2, GrassTopSpan, 4,
    EmptySpan, 2, ShortRamp3 | Alternative, EmptySpan, 3, RaisedGroundSpan, 4, RaisedGroundEnd,
    EmptySpan, 2, ObstacleUp, EmptySpan, 2, ShortRamp9, ShortRamp5, EmptySpan, 3,
    GrassBottomSpan, 4, TallDrop6, EmptySpan, 3, BoostBottom, EmptySpan, 2, DirtTop, EmptySpan, 2,
    ShortRamp3, ShortRamp3, EmptySpan, 4, ShortRamp3, LapEndRamp, EmptySpan, 3,
    EndLineFull, EmptySpan, 6, Nothing, Nothing, Nothing, // free
};

// Raised ground and the first platform; its start and finish lines are drawn in halves.
constexpr quint8 Track2[] = {
    5, // laps
    StartLineTop, StartLineBottom, EmptySpan, 2, TallRamp5, EmptySpan, 2, RaisedGroundSpan, 6,
    RaisedDirt, RaisedGroundSpan, 3, RaisedGroundEnd, EmptySpan, 3, ShortRamp9, EmptySpan, 2,
    ObstacleUp, EmptySpan, 2, BoostBottom, TallDrop6, EmptySpan, 3, GrassBottomSpan, 5, TallKicker6,
    EmptySpan, 4, DirtTop, EmptySpan, 2, RampToLevel1, Level1Span, 8, EmptySpan, 3,
    ShortRamp5 | Alternative, EmptySpan, 2, GrassTopSpan, 4, GrassFullSpan, 4, EmptySpan, 2,
    TallRamp9, EmptySpan, 2, RaisedGroundSpan, 4, RaisedDirtToo, RaisedGroundSpan, 2,
    RaisedGroundEnd, EmptySpan, 3, ObstacleDown | Alternative, EmptySpan, 2, ShortRamp3, ShortRamp3,
    EmptySpan, 3, BoostTop, TallRamp5, EmptySpan, 3, DirtBottom, EmptySpan, 2,
    GrassFullSpan, 3, EmptySpan, 2, TallRamp9, EmptySpan, 3, BoostRampTop, EmptySpan, 2, ShortRamp9,
    EmptySpan, 2, DirtTop, DirtBottom, EmptySpan, 3, RampToLevel1, Level1Span, 6, EmptySpan, 3,
    TallKicker6 | Alternative, EmptySpan, 3, GrassTopSpan, 3, GrassBottomSpan, 3, EmptySpan, 2,
    ShortRamp5, EmptySpan, 3, GrassFullSpan, 2, EmptySpan, 2, ShortRamp3, LapEndRamp,
    EmptySpan, 3, EndLineTop, EndLineBottom, EmptySpan, 5, Nothing, Nothing, // free
};

// Up to the platforms and over the big ramp.
constexpr quint8 Track3[] = {
    4, // laps
    StartLineFull, EmptySpan, 4, BoostTop, BoostBottom, EmptySpan, 2, TallRamp9, EmptySpan, 3,
    RampToLevel1, Level1Span, 6, RampLevel1To2, Level2Span, 6, EmptySpan, 4, GrassFullSpan, 3,
    EmptySpan, 2, ShortRamp9, EmptySpan, 2, DirtTop | Alternative, EmptySpan, 2, BigRampUp,
    Level2Span, 4, BigRampDown, EmptySpan, 3, GrassBottomSpan, 4, TallKicker6, EmptySpan, 3,
    TallDrop6, EmptySpan, 2, ObstacleUpToo, EmptySpan, 3, ShortRamp5, ShortRamp5, EmptySpan, 2,
    BoostRampTop, EmptySpan, 3, RaisedGroundSpan, 5, RaisedGroundEnd, EmptySpan, 2, DirtBottom,
    Nothing, TallRamp5 | Alternative, EmptySpan, 3, GrassTopSpan, 5, EmptySpan, 2, RampToLevel1,
    Level1Span, 10, EmptySpan, 3, ShortRamp3, EmptySpan, 2, TallRamp9, EmptySpan, 2,
    GrassFullSpan, 6, EmptySpan, 2, ObstacleDown, EmptySpan, 2, ShortRamp9 | Alternative,
    EmptySpan, 3, TallRamp5, TallRamp5, EmptySpan, 3, RaisedGroundSpan, 3, RaisedDirtToo,
    RaisedGroundSpan, 2, RaisedGroundEnd, EmptySpan, 3, BoostBottom, ShortRamp9, EmptySpan, 2,
    GrassBottomSpan, 4, DirtTop, EmptySpan, 3, TallKicker6, EmptySpan, 4, ObstacleUp, EmptySpan, 2,
    ShortRamp3, ShortRamp3, EmptySpan, 2, BigRampUp, BigRampDown, EmptySpan, 3, GrassTopSpan, 4,
    EmptySpan, 2, EmptySpan, 2, ObstacleDown, EmptySpan, 3, ShortRamp5, ShortRamp5 | Alternative,
    EmptySpan, 2, DirtTop, Nothing, Nothing, LapEndRamp, EmptySpan, 3, EndLineFull, EmptySpan, 8,
};

// The longest track, with something of every kind.
constexpr quint8 Track4[] = {
    2, // laps
    StartLineFull, EmptySpan, 3, ShortRamp5, EmptySpan, 2, TallRamp5, EmptySpan, 2, GrassTopSpan, 3,
    DirtBottom, EmptySpan, 2, BigRampUp, Level2Span, 6, BigRampDown, EmptySpan, 4, BoostBottom,
    ShortRamp9, EmptySpan, 2, ObstacleUp, EmptySpan, 3, TallKicker6, EmptySpan, 3, TallDrop6,
    EmptySpan, 2, GrassFullSpan, 5, EmptySpan, 2, DirtTop, DirtBottom | Alternative, EmptySpan, 3,
    RampToLevel1, Level1Span, 5, RampLevel1To2, Level2Span, 8, EmptySpan, 4, ShortRamp3, ShortRamp3,
    EmptySpan, 2, RaisedGroundSpan, 4, RaisedDirt, RaisedGroundSpan, 4, RaisedGroundEnd,
    EmptySpan, 3, TallRamp9, EmptySpan, 2, BoostTop, TallRamp9 | Alternative, EmptySpan, 3,
    GrassBottomSpan, 6, EmptySpan, 2, ObstacleDown, EmptySpan, 2, ShortRamp5, ShortRamp5,
    ShortRamp5, EmptySpan, 3, BoostRampTop, EmptySpan, 2, TallRamp5, EmptySpan, 2, GrassTopSpan, 4,
    GrassFullSpan, 2, GrassBottomSpan, 4, EmptySpan, 2, BigRampUp, BigRampDown, EmptySpan, 3,
    DirtTop, EmptySpan, 2, ShortRamp9, EmptySpan, 2, TallKicker6 | Alternative, EmptySpan, 4,
    RaisedGroundSpan, 3, RaisedDirtToo, RaisedGroundEnd, EmptySpan, 2, ObstacleUpToo, EmptySpan, 3,
    ShortRamp3, EmptySpan, 2, TallRamp9, EmptySpan, 2, BoostBottom, Nothing, TallRamp5,
    EmptySpan, 3, GrassFullSpan, 6, EmptySpan, 3, RampToLevel1, Level1Span, 9, EmptySpan, 3,
    DirtBottom, Nothing, DirtTop, EmptySpan, 2, TallDrop6, EmptySpan, 3, ShortRamp9,
    ShortRamp9 | Alternative, EmptySpan, 2, GrassBottomSpan, 3, BoostTop, EmptySpan, 2, TallRamp5,
    TallRamp5, EmptySpan, 3, ObstacleDown, EmptySpan, 2, ShortRamp5, EmptySpan, 2,
    RaisedGroundSpan, 6, RaisedGroundEnd, EmptySpan, 3, GrassTopSpan, 3, GrassFullSpan, 3,
    EmptySpan, 2, BoostRampTop, EmptySpan, 3, TallKicker6, EmptySpan, 4, ShortRamp3, ShortRamp3,
    ShortRamp3, EmptySpan, 2, TallRamp9, EmptySpan, 3, EmptySpan, 2, BigRampUp, Level2Span, 4,
    BigRampDown, EmptySpan, 3, GrassFullSpan, 3, EmptySpan, 2, TallRamp5, Nothing, EmptySpan, 2,
    ShortRamp3, ShortRamp3, LapEndRamp, EmptySpan, 3, EndLineFull, EmptySpan, 6,
};

// A hard track that ends in grass, whose length is the byte after the region.
constexpr quint8 Track5[] = {
    3, // laps
    StartLineFull, EmptySpan, 2, BoostTop, BoostBottom, EmptySpan, 2, TallRamp9, EmptySpan, 2,
    TallRamp9, EmptySpan, 3, GrassFullSpan, 3, EmptySpan, 2, ObstacleUp, ObstacleDown | Alternative,
    EmptySpan, 3, RampToLevel1, Level1Span, 4, RampLevel1To2, Level2Span, 10, EmptySpan, 4,
    TallDrop6, EmptySpan, 2, DirtTop, DirtBottom, EmptySpan, 2, BigRampUp, Level2Span, 3,
    BigRampDown, EmptySpan, 3, ShortRamp9, ShortRamp9, EmptySpan, 3, RaisedGroundSpan, 5,
    RaisedDirt, RaisedGroundEnd, EmptySpan, 2, TallKicker6, EmptySpan, 4, GrassTopSpan, 4,
    BoostBottom, EmptySpan, 2, TallRamp5, TallRamp5, EmptySpan, 2, ObstacleUpToo | Alternative,
    EmptySpan, 3, BoostRampTop, EmptySpan, 2, ShortRamp3, ShortRamp3, EmptySpan, 2,
    GrassBottomSpan, 5, DirtTop, EmptySpan, 3, RampToLevel1, Level1Span, 7, EmptySpan, 3,
    TallRamp9 | Alternative, EmptySpan, 2, ShortRamp5, EmptySpan, 3, TallKicker6, EmptySpan, 3,
    TallDrop6, EmptySpan, 3, GrassFullSpan, 4, EmptySpan, 2, ObstacleDown, EmptySpan, 2, ShortRamp9,
    EmptySpan, 2, BigRampUp, Level2Span, 5, BigRampDown, EmptySpan, 3, DirtBottom, Nothing, DirtTop,
    EmptySpan, 2, BoostRampTop, EmptySpan, 2, RaisedGroundSpan, 3, RaisedDirtToo,
    RaisedGroundSpan, 3, RaisedGroundEnd, EmptySpan, 3, TallRamp5, EmptySpan, 2, GrassTopSpan, 3,
    GrassBottomSpan, 3, EmptySpan, 2, ShortRamp3, ShortRamp3, ShortRamp3, EmptySpan, 3, TallRamp9,
    EmptySpan, 2, BoostTop, Nothing, ShortRamp5, ShortRamp5, EmptySpan, 3, ShortRamp3, Nothing,
    RampToLevel1, Level1Span, 6, RampLevel1To2, Level2Span, 4, EmptySpan, 4, TallDrop6,
    EmptySpan, 2, GrassBottomSpan, 4, TallRamp9, EmptySpan, 2, BoostBottom,
    ShortRamp9 | Alternative, EmptySpan, 3, ObstacleUp, EmptySpan, 2, DirtTop, DirtBottom,
    EmptySpan, 2, LapEndRamp, EmptySpan, 3, EndLineFull, EmptySpan, 3,
    GrassFullSpan, // its length is the byte after the region
};
// clang-format on

constexpr size_t regionSize(int track)
{
    return size_t(track::trackByteBudget(track)) + 1;
}
static_assert(std::size(Track1) == regionSize(1));
static_assert(std::size(Track2) == regionSize(2));
static_assert(std::size(Track3) == regionSize(3));
static_assert(std::size(Track4) == regionSize(4));
static_assert(std::size(Track5) == regionSize(5));
static_assert(track::isSpanCode(std::end(Track5)[-1]), "track 5 must end on a span code");

template <size_t N> QByteArray bytesOf(const quint8 (&region)[N])
{
    return QByteArray(reinterpret_cast<const char *>(region), qsizetype(N));
}

} // namespace

QByteArray SampleTrackRegion(int track)
{
    switch (track) {
    case 1:
        return bytesOf(Track1);
    case 2:
        return bytesOf(Track2);
    case 3:
        return bytesOf(Track3);
    case 4:
        return bytesOf(Track4);
    case 5:
        return bytesOf(Track5);
    default:
        return {};
    }
}

} // namespace whoopline::sample
