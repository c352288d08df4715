#pragma once

#include "rom/result.h"
#include "rom/rom_graphics.h"
#include "track/track_model.h"

#include <QString>

namespace whoopline::view {

// Everything the Open command takes from a newly chosen image.
struct OpenedImage
{
    rom::RomGraphics graphics;
    track::ObjectWidthTable ObjectWidthTable{};
};

// Reads the graphics and the object widths of the image at path. Either all of it succeeds or
// a failure names the file and the reason; the caller changes its state only on success.
Result<OpenedImage> OpenImage(const QString &path);

} // namespace whoopline::view
