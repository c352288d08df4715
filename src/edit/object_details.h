#pragma once

#include "rom/image_file.h"
#include "track/track_model.h"

#include <QString>

#include <vector>

namespace whoopline::edit {

// What hovering over object `index` of a track shows, one fact a line: its catalogue name and
// byte ("0C Dirt, Top  $8C, alternative track"), its place ("Object 12 of 87"), a span's length,
// the 16-pixel block of the track it begins at, and the file position of its first byte. lefts
// are TrackObjectLefts of the objects; trackStart is the position of the track's laps byte,
// which the object bytes follow. Empty for an index outside the track.
QString ObjectDetails(const track::TrackObjectList &objects, const std::vector<qint64> &lefts, int index,
                      Position trackStart);

} // namespace whoopline::edit
