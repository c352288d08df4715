#pragma once

#include "track/track_model.h"

#include <QColor>
#include <QImage>

// The marks that make objects of the alternative track visible in a drawing of the track.
namespace whoopline::view {

// The tint laid over a marked object's room and the colour of its badge.
inline const QColor AlternativeTint{255, 0, 170, 96};
inline const QColor AlternativeBadge{255, 0, 170};

// The room of each object of first..last whose byte 1 has the alternative bit gets a translucent
// tint over its whole height, so the picture still shows, and a small solid badge in its top
// right corner. objects[first] lies at x 0; blockPixels is how many pixels a 16-pixel block
// takes in the target (16 at full size). A target that is a band of a taller picture gives the
// picture's row at its top as yStart, one that shows the track from its pixel trackX on (in
// pixels of the full-size track) gives trackX.
void MarkAlternativeObjects(QImage &target, const track::TrackObjectList &objects, int first, int last,
                            int blockPixels, int yStart = 0, qint64 trackX = 0);

} // namespace whoopline::view
