#pragma once

#include "rom/image_file.h"
#include "rom/result.h"
#include "track/track_model.h"

#include <QByteArray>
#include <QList>
#include <QString>

// Several tracks saved at once: their laps bytes and object bytes put into one run of the image's
// bytes, so that a single all-or-nothing write carries them all.
namespace whoopline::document {

struct TrackToSave
{
    int track = 0; // 1..5
    int laps = 0;
    track::TrackObjectList objects;
};

// The run of positions that saving tracks touches: from the first one's laps byte to the byte
// after the last one's region, which a span on the budget's last byte uses as its length.
struct PatchSpan
{
    Position first = 0;
    qint64 count = 0;
};
PatchSpan SpanOf(const QList<TrackToSave> &tracks);

// Puts each track's laps byte and object bytes into bytes, which hold the image from position
// first on. Refuses, changing nothing, when a track's objects don't fit its region, when laps lie
// outside 1..255, or when a span on the budget's last byte would change the byte after the region.
Status PutTracks(QByteArray &bytes, Position first, const QList<TrackToSave> &tracks);

// "track 3", "tracks 2 and 4", "tracks 1, 2 and 5"
QString NameTracks(const QList<int> &tracks);

} // namespace whoopline::document
