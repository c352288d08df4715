#pragma once

#include "track/track_model.h"

#include <QString>

namespace whoopline::view {

// What the main window's status bar shows, part by part; a part with nothing to say is empty.
struct StatusTexts
{
    QString fileName;  // the open image's file name
    QString filePath;  // its full path, the file name's tooltip
    QString track;     // "Track 3"
    QString object;    // "Object 12 of 87", counted from 1
    QString freeBytes; // "Free: 3 of 144 bytes": the track's free bytes against its byte budget
    QString marked;    // "4 marked objects": the objects of the alternative track, if any
    QString modified;  // "Modified: tracks 2, 4": the tracks with unsaved edits
};

// The status texts for the image at romPath (empty before one is open) and shownTrack, the loaded
// track of that image (nullptr while there is none), and the tracks with unsaved edits.
StatusTexts StatusTextsOf(const QString &romPath, const track::TrackModel *shownTrack,
                          const QList<int> &modifiedTracks);

} // namespace whoopline::view
