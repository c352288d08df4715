#pragma once

#include <QtCore>

#include <array>

// The whole edit road as the main window walks it, without the window: open, load each track,
// navigate and redraw, replace objects through the selector, toggle marks, change laps, save and
// reload, with the editor's promises checked after every step. The property test walks it over
// generated images, the fuzz target over arbitrary bytes.
namespace whoopline::testing {

enum class LoadExpectation { Either, Loads, Refused };

struct RoadImage
{
    QString kind; // names the image in a failure message
    QByteArray bytes;
    std::array<LoadExpectation, 5> tracks{}; // what loading tracks 1..5 must do
};

// What the road did, over all the images it was given.
struct RoadFigures
{
    int images = 0, steps = 0, loads = 0, refusedLoads = 0, saves = 0, refusedSaves = 0;
};

// Walks the road on image, written into folder, with steps drawn from seed. With fileFaults the
// file is now and then truncated (often inside a track's region), deleted, replaced by a folder
// or a named pipe, or restored between steps, as another program might do. Returns the first
// broken promise, naming the image and the step; empty when every promise held.
QString WalkEditRoad(const RoadImage &image, quint32 seed, const QString &folder, bool fileFaults, RoadFigures &figures);

} // namespace whoopline::testing
