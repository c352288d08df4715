#pragma once

#include "rom/result.h"
#include "view/picture_tables.h"

#include <QByteArray>
#include <QString>

#include <array>

namespace whoopline::view {

// The stream is read at most this far from its start. Real streams are a few hundred bytes;
// the limit only stops a file without enough zero bytes from being read whole.
constexpr qint64 PictureStreamReadLimit = qint64(1) << 20;

// The picture records 0..33 of an image, read in one pass when asked for and kept by the caller
// only for the one operation that needs them. Bytes past the end of the file (or past the read
// limit) count as 0, so every record ends.
class PictureStream
{
public:
    // Opens the image, reads from PictureStreamPosition until record PictureCount - 1 is
    // complete or the file ends, and closes it. Fails only when the file can't be read.
    static Result<PictureStream> read(const QString &path);

    // The bytes of record `picture` (0..PictureCount - 1), its final 0 included; empty for any
    // other number.
    QByteArray record(int picture) const;

private:
    std::array<QByteArray, PictureCount> m_records;
};

} // namespace whoopline::view
