#pragma once

#include "rom/result.h"
#include "track/track_model.h"

#include <QString>

#include <functional>

// Loading a track from the image and saving it back in place. Each call opens
// the image, reads or writes, and closes it again; nothing is kept between calls.
namespace whoopline::track {

// A track as read from the image: its laps byte (1..255) and its objects.
struct LoadedTrack
{
    int laps = 0;
    TrackObjectList objects;
};

// Reads track 1..5 of the image at path: the laps byte and the object bytes in one read, plus the
// byte after the region when the last object is a span that starts on the budget's last byte.
// Everything is checked before it returns, so a failure leaves the caller's model untouched. Fails,
// with a message that names the track ("Track 2 cannot be loaded: object 17 has the code $C3,
// which is not a known object."), when the file can't be read or is too short for the region (the
// byte after it included, when needed), when the laps byte is 0, and on an unknown one-byte id.
Result<LoadedTrack> ReadTrack(const QString &path, int track, const ObjectWidthTable &widths);

// Saves track 1..5 into the image at path, in place: the laps byte and the object bytes, as one
// contiguous write at the region's start. Never creates the file and never changes its size;
// succeeds only once every byte reached the disk. Writes nothing, and says so, when laps lies
// outside 1..255, when there are no objects, when the object bytes exceed the budget + 1, when
// they are the budget + 1 and the byte after the region in the file differs from the last object
// byte (that byte belongs to the next track's region, or for track 5 to no track), and when the
// file is missing or now too short. Whether a track was loaded from this image is the caller's
// check. beforeWriting, when given, runs once every check has passed, just before the first byte
// is written; when it fails, nothing is written and its message is the reason.
Status WriteTrack(const QString &path, int track, int laps, const TrackObjectList &objects,
                  const std::function<Status()> &beforeWriting = {});

} // namespace whoopline::track
