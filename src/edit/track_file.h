#pragma once

#include "rom/result.h"
#include "track/track_model.h"

#include <QByteArray>
#include <QString>

// A track as a text file of its own, to share one track, keep a hack's tracks in version
// control and build an image from them:
//
//   whoopline-track 1
//   # comments and blank lines are allowed anywhere after the first line
//   laps 3
//   17  # Track Start Line Full
//   41:0A  # Elevated Platform Level 1 Span
//   8C  # Dirt, Top, alternative track
//
// One object a line, written as the clipboard writes a run; what follows # is a comment. The
// free bytes at the track's end are not written: reading refills them.
namespace whoopline::edit {

// The first line of every track file; a later version of the format changes the number.
inline const QString TrackFileFirstLine = QStringLiteral("whoopline-track 1");
// The name the editor gives track files.
inline const QString TrackFileSuffix = QStringLiteral(".track");
// A track file is read whole; one of a track's few hundred bytes is far smaller.
constexpr qint64 TrackFileLargestSize = 1 << 20;

struct TrackFile
{
    int laps = 0;
    QByteArray objectBytes; // the objects, without the trailing free bytes
};

// The file of a track's laps and objects; objects[i].Bytes for the objects, the free bytes left out.
QString WriteTrackFile(int laps, const track::TrackObjectList &objects);

// Reads a track file's text. Refuses, naming fileName and the line and saying what it expected,
// an unknown first line, a laps line missing, doubled or outside 1..255, a word that is no object,
// a byte that is no object of the track format, a two-byte object without its length and a
// one-byte object with one.
Result<TrackFile> ReadTrackFile(const QString &text, const QString &fileName);

// The objects of file as track number track holds them: its objects, then objects 0 up to the
// track's byte budget. Refuses, with the numbers, a file whose objects don't fit the region; a
// span on the budget's last byte may take its length from the byte after it, as in the image.
Result<track::TrackObjectList> TrackFileObjects(const TrackFile &file, int track,
                                                const track::ObjectWidthTable &widths,
                                                const QString &fileName);

} // namespace whoopline::edit
