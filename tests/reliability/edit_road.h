#pragma once

#include "generated_images.h"

#include <QString>

// The whole edit road as the main window walks it, without the window: open, load, navigate and
// redraw, replace objects through the selector exchange, toggle marks, change laps, save and
// reload, checking the editor's promises after every step.
namespace whoopline::testing {

// What the road did, over all the images it was given.
struct RoadFigures
{
    int images = 0;
    int steps = 0;
    int loads = 0;
    int refusedLoads = 0;
    int replacements = 0;
    int saves = 0;
    int refusedSaves = 0;
    int reloadsRefused = 0;
    int fileFaults = 0;
};

// Walks the road on image, written into folder, with random steps drawn from seed. With
// fileFaults the file is now and then truncated, deleted, replaced by a folder or restored
// between steps, as another program might do while the editor is open. Returns the first broken
// promise, naming the image and the step; empty when every promise held.
QString WalkEditRoad(const GeneratedImage &image, quint32 seed, const QString &folder,
                     bool fileFaults, RoadFigures &figures);

} // namespace whoopline::testing
