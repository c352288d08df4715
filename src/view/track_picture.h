#pragma once

#include "rom/result.h"
#include "track/track_model.h"

#include <QImage>
#include <QString>

// The whole track as one picture, for sharing.
namespace whoopline::view {

// Wider pictures are refused: pixel positions of a drawing are 16-bit signed.
constexpr qint64 TrackPictureMaximumWidth = 32767;

// Draws every object of the track, the first at x 0, exactly as the track view draws them from
// the current one, over picBuffer repeated side by side, without the marker. The picture is as
// wide as the track (StripAdvance summed over its objects) and as high as picBuffer. Reads the
// picture stream of the image at path once. Fails, with the reason, when the track has no
// width, is wider than TrackPictureMaximumWidth, or the stream can't be read. markAlternative
// adds the marks of MarkAlternativeObjects.
Result<QImage> DrawTrackPicture(const track::TrackObjectList &objects, const QImage &picBuffer,
                                const QImage &picGFX, const QString &path, bool markAlternative = false);

// Writes picture as a PNG file at path, created or replaced whole; on failure nothing is left
// behind and the message gives the reason.
Status WritePngFile(const QImage &picture, const QString &path);

} // namespace whoopline::view
