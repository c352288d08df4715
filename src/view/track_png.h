#pragma once

#include "rom/result.h"
#include "track/track_model.h"

#include <QImage>
#include <QString>

#include <functional>

// The whole track written as a PNG of any width, a band of rows at a time.
namespace whoopline::view {

// Takes the next piece of the file; a failure stops the writing and is passed on.
using ByteSink = std::function<Status(const char *data, qint64 size)>;

// The widest picture the format can hold: its sizes are 31-bit numbers.
constexpr qint64 PngMaximumWidth = 2147483647;

// Rows drawn and written at a time: one row of 16 x 16 blocks.
constexpr int TrackPngBandRows = 16;

// Draws the track as DrawTrackPicture does, for any width up to PngMaximumWidth, and hands the
// PNG file it makes to sink piece by piece. Only one band of TrackPngBandRows rows of the
// picture is held at a time. Fails, with the reason, as DrawTrackPicture does below its limit,
// when the picture is too wide for the format, or when sink fails.
Status WriteTrackPng(const track::TrackObjectList &objects, const QImage &picBuffer, const QImage &picGFX,
                     const QString &path, bool markAlternative, const ByteSink &sink);

} // namespace whoopline::view
