#pragma once

#include "track/track_model.h"
#include "view/picture_stream.h"
#include "view/strip_layout.h"

#include <QImage>
#include <QString>

#include <optional>

namespace whoopline::view {

// The track view as one redraw composes it: the strip and what the controls around it show.
struct TrackView
{
    QImage strip;              // the background with the objects from the current one drawn on it
    int markerWidth = 0;       // the current object's width
    QString currentObjectText; // byte 1 of the current object, "$9C"
    QString lengthText;        // a span's length in decimal, empty for a one-byte object
    bool alternative = false;  // bit 7 of byte 1
};

// Draws objects first..last into strip, the first at x 0 and each next one StripAdvance further:
// a one-byte object as its picture, a span as copies of its base picture 16 apart. Pictures come
// from stream; a drawing that can't be made is left out and the rest goes on. With
// markAlternative, objects marked for the alternative track carry the marks of
// MarkAlternativeObjects; without it nothing else is drawn. A strip that holds rows rowOffset..
// of a taller drawing (rowOffset a multiple of 16) gets just those rows.
// With a background, the strip's pixels are not read: it gets that background, repeated to the
// right, under the objects.
void DrawTrackObjects(QImage &strip, const QImage &picGFX, const track::TrackObjectList &objects,
                      int first, int last, const std::optional<PictureStream> &stream,
                      bool markAlternative = false, int rowOffset = 0, const QImage *background = nullptr);

// Draws the current object at x 0 and the objects after it, up to LastDrawnIndex for width,
// each one-byte object with its picture and a span as length copies of its base picture 16
// apart, on a copy of picBuffer (copies side by side for a strip wider than it). Reads the picture stream of the image at path once; a drawing
// that can't be made is left out and the rest goes on. Needs a loaded model; without one it
// returns the bare background and empty labels.
TrackView RenderTrackView(const track::TrackModel &model, const QImage &picBuffer, const QImage &picGFX,
                          const QString &path, bool markAlternative = false,
                          int width = SpecifiedViewWidth);

} // namespace whoopline::view
