#include "sample_pictures.h"

#include "rom/rom_layout.h"
#include "sample_objects.h"
#include "sample_tiles.h"
#include "view/picture_tables.h"

#include <QList>

#include <array>
#include <iterator>

namespace whoopline::sample {

namespace {

// Block rows of the view: the sky above GroundRow, the lanes from there, the near half of the
// lanes from NearLanesRow.
constexpr int GroundRow = rom::SkyRows;
constexpr int LaneRows = int(std::size(rom::BandTiles));
constexpr int NearLanesRow = GroundRow + LaneRows / 2;

// Platforms stand this many blocks above the ground, measured to the top of their deck.
constexpr int Level1Height = 3;
constexpr int Level2Height = 5;

// One column of a picture: its blocks from block row `top` downwards.
struct Column
{
    int top = 0;
    QList<int> blocks;
};
using Picture = QList<Column>;

QList<int> times(int count, int tile)
{
    return QList<int>(count, tile);
}

// A ramp column whose slope tile lies `height` blocks above the ground: the slope, the ramp's
// body down to the ground, and its surface over every lane.
Column ramp(int height, int slope, int face, int body = RampFill)
{
    return {GroundRow - height,
            QList<int>{slope} + times(height - 1, body) + times(LaneRows, face)};
}

// A platform column: the deck, its truss, and posts down to the ground.
Column platform(int height)
{
    return {GroundRow - height, QList<int>{Deck, Truss} + times(height - 2, Pole)};
}

// A slope that climbs from the first platform level towards the second, above the deck.
Column platformSlope(int height)
{
    return {GroundRow - height, QList<int>{SteepUp} + times(height - Level1Height - 1, RampFill) +
                                    platform(Level1Height).blocks};
}

// The lanes lifted by one block, with their front wall below them.
Column raisedGround(QList<int> lanes, int face = RaisedFace)
{
    return {GroundRow - 1, lanes + QList<int>{face}};
}

QList<int> bandTiles()
{
    return QList<int>(std::begin(rom::BandTiles), std::end(rom::BandTiles));
}

// A flag on a pole of `poles` blocks that stands on top of the column `below`.
Column flagged(const Column &below, int poles, int flag)
{
    return {below.top - poles - 1, QList<int>{flag} + times(poles, Pole) + below.blocks};
}

// Every picture, indexed by picture number; each is given for the object that shows it.
std::array<Picture, view::PictureCount> allPictures()
{
    std::array<Picture, view::PictureCount> pictures;
    auto draw = [&pictures](int object, const Picture &picture) {
        pictures[view::pictureOfObject(object)] = picture;
    };

    draw(Nothing, {});

    draw(ShortRamp9, {ramp(1, GentleUpLow, FaceUp), ramp(1, GentleUpHigh, FaceUp),
                      ramp(2, GentleUpLow, FaceUp), ramp(2, GentleUpHigh, FaceUp),
                      ramp(2, GentleDownHigh, FaceDown), ramp(2, GentleDownLow, FaceDown),
                      ramp(1, GentleDownHigh, FaceDown), ramp(1, GentleDownLow, FaceDown)});
    draw(ShortRamp5, {ramp(1, GentleUpLow, FaceUp), ramp(1, GentleUpHigh, FaceUp),
                      ramp(1, GentleDownHigh, FaceDown), ramp(1, GentleDownLow, FaceDown)});
    draw(ShortRamp3, {ramp(1, GentleUpLow, FaceUp), ramp(1, GentleDownLow, FaceDown)});
    draw(TallRamp9,
         {ramp(1, SteepUp, FaceUp), ramp(2, SteepUp, FaceUp), ramp(3, SteepUp, FaceUp),
          ramp(4, SteepUp, FaceUp), ramp(4, SteepDown, FaceDown), ramp(3, SteepDown, FaceDown),
          ramp(2, SteepDown, FaceDown), ramp(1, SteepDown, FaceDown)});
    draw(TallRamp5, {ramp(1, SteepUp, FaceUp), ramp(2, SteepUp, FaceUp),
                     ramp(2, SteepDown, FaceDown), ramp(1, SteepDown, FaceDown)});
    draw(TallKicker6,
         {ramp(1, SteepUp, FaceUp), ramp(2, SteepUp, FaceUp), ramp(3, SteepUp, FaceUp),
          ramp(4, SteepUp, FaceUp), ramp(4, RampTopWallRight, FaceFlat, RampWallRight)});
    draw(TallDrop6, {ramp(4, RampTopWallLeft, FaceFlat, RampWallLeft), ramp(4, SteepDown, FaceDown),
                     ramp(3, SteepDown, FaceDown), ramp(2, SteepDown, FaceDown),
                     ramp(1, SteepDown, FaceDown)});
    draw(LapEndRamp, {ramp(1, GentleUpLow, FaceUp), ramp(1, GentleUpHigh, FaceUp),
                      flagged(ramp(1, RampTop, FaceFlat), 2, LapFlag),
                      ramp(1, GentleDownHigh, FaceDown), ramp(1, GentleDownLow, FaceDown)});
    draw(BigRampUp, {ramp(1, GentleUpLow, FaceUp), ramp(1, GentleUpHigh, FaceUp),
                     ramp(2, SteepUp, FaceUp), ramp(3, SteepUp, FaceUp), ramp(4, SteepUp, FaceUp),
                     ramp(Level2Height, SteepUp, FaceUp), ramp(Level2Height, RampTop, FaceFlat)});
    draw(BigRampDown, {ramp(Level2Height, SteepDown, FaceDown), ramp(4, SteepDown, FaceDown),
                       ramp(3, SteepDown, FaceDown), ramp(2, SteepDown, FaceDown),
                       ramp(1, SteepDown, FaceDown)});

    draw(RampToLevel1, {ramp(1, SteepUp, FaceUp), ramp(2, SteepUp, FaceUp),
                        ramp(Level1Height, SteepUp, FaceUp), platform(Level1Height)});
    draw(Level1, {platform(Level1Height)});
    draw(RampLevel1To2, {platformSlope(Level1Height + 1), platformSlope(Level2Height)});
    draw(Level2, {platform(Level2Height)});

    const Column tyresFar{GroundRow - 4, times(7, Tyre)};
    const Column tyresNear{GroundRow - 1, times(7, Tyre)};
    draw(ObstacleUp, {tyresFar, tyresFar});
    draw(ObstacleDown, {tyresNear, tyresNear});

    for (auto [object, row] : {std::pair{DirtTop, GroundRow}, std::pair{DirtBottom, NearLanesRow}})
        draw(object, {{row, {MudNW, MudW, MudSW}},
                      {row, {MudN, MudCore, MudS}},
                      {row, {MudNE, MudE, MudSE}}});

    const Column boostFar{GroundRow, times(3, Boost)};
    const Column boostNear{NearLanesRow, times(3, Boost)};
    draw(BoostTop, {boostFar, boostFar});
    draw(BoostBottom, {boostNear, boostNear});
    draw(BoostRampTop, {{GroundRow - 1, QList<int>{GentleUpLow} + boostFar.blocks},
                        {GroundRow - 1, QList<int>{GentleUpHigh} + boostFar.blocks}});

    draw(StartLineFull, {flagged({GroundRow, times(LaneRows, StartStripe)}, 2, StartFlag)});
    draw(StartLineTop, {{GroundRow, times(3, StartStripe)}});
    draw(StartLineBottom, {{NearLanesRow, times(3, StartStripe)}});
    draw(EndLineFull, {flagged({GroundRow, times(LaneRows, FinishChecks)}, 3, FinishFlag)});
    draw(EndLineTop, {{GroundRow, times(3, FinishChecks)}});
    draw(EndLineBottom, {{NearLanesRow, times(3, FinishChecks)}});

    draw(GrassFull,
         {{GroundRow - 1, {GrassTips, Grass, GrassDense, Grass, GrassDense, Grass, GrassDense}}});
    draw(GrassTop, {{GroundRow - 1, {GrassTips, Grass, GrassDense, GrassLowEdge}}});
    draw(GrassBottom, {{NearLanesRow, {GrassHighEdge, Grass, GrassDense}}});

    const QList<int> band = bandTiles();
    draw(RaisedGround, {raisedGround(band)});
    draw(RaisedGroundEnd, {raisedGround(QList<int>{SteepDown} + band.mid(1), RaisedEndFace)});
    draw(RaisedDirt, {raisedGround(band.first(3) + QList<int>{MudNW, MudW, MudSW}),
                      raisedGround(band.first(3) + QList<int>{MudNE, MudE, MudSE})});
    return pictures;
}

} // namespace

QByteArray SamplePictureStream()
{
    QByteArray stream;
    for (const Picture &picture : allPictures()) {
        for (const Column &column : picture) {
            stream += char(column.top);
            for (int block : column.blocks)
                stream += char(block);
        }
        stream += '\0';
    }
    return stream;
}

} // namespace whoopline::sample
