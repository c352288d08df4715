#pragma once

#include "rom/result.h"

#include <QByteArray>
#include <QString>

#include <functional>

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

// The file name in quotes, as messages name a file: “image.nes”.
QString quotedName(const QString &path);

// A name read from the system with bytes that are not text in its encoding holds U+FFFD in their
// place, so it no longer names the file: such a name is refused, never opened or written.
bool hasLostBytes(const QString &path);
Failure unusableName(const QString &path);

// "position 12,216" or "positions 12,216 to 12,404", for messages.
QString positionRange(Position first, qint64 count);

// Every reader and writer opens the image, does its work and closes it again before it returns:
// nothing of the image is kept between operations, so every drawing shows the file as it is now.

// Checks that path names an existing, readable regular file of at least minimumSize bytes and
// returns its size. Never creates anything.
Result<qint64> checkImageFile(const QString &path, qint64 minimumSize);

// Reads count bytes from 1-based position first. Fails when the file can't be read or ends before
// the last of them; what names the bytes in the message ("the track region").
Result<QByteArray> readImageBytes(const QString &path, Position first, qint64 count,
                                  const QString &what);

// Reads the whole file from its start, piece by piece, handing each piece to take in order; stops
// early when take returns false. Fails when the file can't be read, with the system's reason.
Status readWholeImage(const QString &path, const std::function<bool(const QByteArray &piece)> &take);

// The first four bytes of every cartridge image: "NES" and 0x1A.
bool startsWithImageHeader(const QByteArray &bytes);
// Fails, naming the file, when it does not start with those four bytes: such a file is no
// cartridge image, and track bytes written into it would damage it. A file that can't be read
// passes, for the readers to say why.
Status checkImageHeader(const QString &path);
// The same check on start, the file's first bytes as read already.
Status checkImageHeader(const QString &path, const QByteArray &start);

// Writes bytes at position first, in place, all or nothing. The file must already exist and reach
// the last byte written: the write never creates a file and never changes its size. Succeeds only
// once every byte was written and synced to the disk. On a failure the old bytes are written back,
// and the message gives the system's reason; only when that fails too does it say which positions
// may be partly written. beforeWriting, when given, runs once the file is known to hold the
// positions, just before any byte is written; when it fails, nothing is written and its message is
// the reason.
Status writeImageBytes(const QString &path, Position first, const QByteArray &bytes,
                       const std::function<Status()> &beforeWriting = {});

} // namespace whoopline
