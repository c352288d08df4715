#pragma once

#include "edit_road.h"

// Cartridge images made from a seed: well-formed ones, and hostile ones of the kinds a user's
// disk can hand the editor. The same family and seed always give the same bytes.
namespace whoopline::testing {

enum class ImageFamily
{
    Sample,             // our sample image, some of its tracks replaced by random well-formed ones
    WellFormed,         // random graphics, picture stream and tracks, every track loadable
    RandomBytes,        // nothing but random bytes, at least as long as an image must be
    StreamWithoutZeros, // the picture stream runs to the end of the file without a 0 byte
    HugeRecords,        // picture records thousands of bytes long
    HostileTracks,      // laps 0, unknown ids, spans of length 255, spans on the budget's last byte
};

// The image with what loading each of its tracks must do; its kind is left to the caller.
RoadImage GenerateImage(ImageFamily family, quint32 seed);

} // namespace whoopline::testing
