#pragma once

#include "track_io.h"
#include "track_model.h"

#include <QByteArray>
#include <QString>

// What the editor promises about any file handed to it as an image, checked from outside: no
// crash, no read or write outside the file, a save that changes only the loaded track's region,
// and refusals that explain themselves. Shared by the fuzz target and the normal test suite.
namespace whoopline::testing {

// The first change from before to after that a save of track 1..5 must never make: a change of
// the file's size, or of any byte outside the track's laps byte and object bytes. (The byte after
// the region may be written only with the value it holds, so it must read the same.) Empty when
// there is none.
QString ChangeOutsideTrackRegion(const QByteArray &before, const QByteArray &after, int track);

// The first width of the table that is not a multiple of 16 from 16 to the largest width an
// object may have; empty when every width is one.
QString WidthTableViolation(const track::ObjectWidthTable &widths);

// What is wrong with a track that loaded from the file holding `file`: broken model invariants,
// a byte total other than the budget or the budget + 1, or laps and objects that are not the
// bytes at the track's region. Empty when nothing is.
QString LoadedTrackViolation(const QByteArray &file, int track, const track::LoadedTrack &loaded,
                             const track::ObjectWidthTable &widths);

// How many track views one check draws per loaded track; each redraw reads the picture stream
// again, so this bounds the time one hostile image can take.
constexpr int RedrawsPerTrack = 3;

// Writes image into folder as a file and runs it through the editor: open, load of all five
// tracks, a few redraws of each, and for each track a save of it unchanged and a save of it
// edited, each into a fresh copy of the file. Returns the first broken promise, or an empty
// string when all held.
QString CheckImagePromises(const QByteArray &image, const QString &folder);

} // namespace whoopline::testing
