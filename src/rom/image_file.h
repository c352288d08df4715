#pragma once

#include "result.h"

#include <QByteArray>
#include <QString>

namespace whoopline {

// Positions in a cartridge image are 1-based: position 1 is the first byte of the file, its
// 16-byte header included, so position p lies at file offset p - 1. Every position constant of
// the editor is a Position; every offset constant says "Offset" in its name.
using Position = qint64;

constexpr qint64 offsetOf(Position position)
{
    return position - 1;
}

// "1,024": byte counts and positions in messages read best with thousands separators.
QString formatNumber(qint64 number);

// The file name as the user knows it, for messages.
QString displayName(const QString &path);

// Every reader and writer opens the image, does its work and closes it again before it returns:
// nothing of the image is kept between operations, so every drawing shows the file as it is now.

// Checks that path names an existing, readable regular file of at least minimumSize bytes and
// returns its size. Never creates anything.
Result<qint64> checkImageFile(const QString &path, qint64 minimumSize);

// Reads count bytes from 1-based position first. Fails when the file can't be read or ends before
// the last of them; what names the bytes in the message ("the track region").
Result<QByteArray> readImageBytes(const QString &path, Position first, qint64 count,
                                  const QString &what);

// Writes bytes at position first, in place. The file must already exist and reach the last byte
// written: the write never creates a file and never changes its size. Succeeds only once every
// byte was written, flushed and synced to the disk.
Status writeImageBytes(const QString &path, Position first, const QByteArray &bytes);

} // namespace whoopline
