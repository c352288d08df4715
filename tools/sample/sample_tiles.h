#pragma once

#include "rom/rom_layout.h"

#include <QByteArray>
#include <QStringList>

// The sample's own tiles. One palette serves every tile: value 0 is the sky, 1 sand, 2 grass and
// 3 dark earth, so value 0 is the background of every tile.
namespace whoopline::sample {

// A picture can't name tiles 0..15 (those bytes start columns), so our artwork starts at 16.
enum Tile : int
{
    Sky = rom::SkyTile,
    BandEdge = rom::BandTiles[0], // the track's far edge and the line between its two halves
    BandMiddle = rom::BandTiles[1],
    BandLow = rom::BandTiles[2],

    // Ramps seen from the side, above the track...
    RampFill = 16,
    SteepUp,
    SteepDown,
    GentleUpLow, // a gentle slope climbs one block over two columns: low half, then high half
    GentleUpHigh,
    GentleDownHigh,
    GentleDownLow,
    RampTop,
    RampWallRight,
    RampWallLeft,
    RampTopWallRight,
    RampTopWallLeft,
    // ...and their surface over the track's lanes.
    FaceUp,
    FaceDown,
    FaceFlat,

    StartStripe = 32,
    FinishChecks,
    Pole,
    StartFlag,
    FinishFlag,
    LapFlag,
    Tyre,
    MudNW, // a patch of dirt three blocks square, read like a map
    MudN,
    MudNE,
    MudW,
    MudCore,
    MudE,
    MudSW,
    MudS,
    MudSE,
    GrassTips,
    Grass,
    GrassDense,
    GrassLowEdge,
    GrassHighEdge,
    Boost,
    Deck,
    Truss,
    RaisedFace,
    RaisedEndFace,
};
static_assert(RaisedEndFace < BandEdge, "our tiles must not overwrite the band's");

// The 4,096 bytes of tiles 0..255 in the image's two-plane format; tiles without art are 0.
QByteArray SampleTileData();

// What is wrong with the tile art (rows of the wrong length, unknown characters, a tile drawn
// twice, a tile a picture can't name); empty when it is sound.
QStringList SampleTileArtProblems();

} // namespace whoopline::sample
