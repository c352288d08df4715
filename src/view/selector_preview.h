#pragma once

#include <QImage>
#include <QString>

namespace whoopline::view {

// The object selector's 256 x 256 preview of one object number: a black square with the
// object's picture drawn once at the origin, blocks taken from the tile sheet picGFX. A span
// shows one copy of its base object's picture, and the alternative bit is ignored. The picture
// is read from the image at romPath now; when it can't be read, or the number has no picture,
// the preview stays black.
QImage ComposeSelectorPreview(int objectNumber, const QImage &picGFX, const QString &romPath);

} // namespace whoopline::view
