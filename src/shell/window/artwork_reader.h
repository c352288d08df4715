#pragma once

#include <QImage>
#include <QString>

namespace whoopline::shell {

// Reads one of the editor's own pictures (the resources that resources/make_artwork.py writes:
// 8-bit palette PNGs whose rows are stored unfiltered) as an RGB32 image. Such a file is unpacked
// here directly: Qt's PNG reader takes about twice as long over the title picture, which
// is shown at start-up. Any other file goes to Qt's reader, so the result is the same either
// way. A null image when the file can't be read.
QImage ReadArtwork(const QString &path);

} // namespace whoopline::shell
