#pragma once

#include "rom/result.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

// Whole files other than the image: read in one go, or written complete or not at all.
namespace whoopline {

// Reads the whole regular file at path in one read. Fails, naming the file, when it is missing,
// a folder or not a regular file, longer than maximumSize, or can't be read, with the system's
// reason.
Result<QByteArray> readEntireFile(const QString &path, qint64 maximumSize);

// "The file “x.nes” cannot be read: reason."
Failure cannotReadFile(const QString &path, const QString &reason);

// Fails, naming both files, when output is the same file as one of inputs: the same file after
// every link is followed, so a hard link counts too. Writing it would destroy that input.
Status checkOutputIsNoInput(const QString &output, const QStringList &inputs);

// How a written file is named in messages and what it may replace.
struct OutputOptions
{
    QString what = QStringLiteral("The file"); // "The file “x.ips” could not be written: ..."
    int permissions = -1;         // -1: an existing file's, or those a new file gets by default
    bool replacesExisting = true; // false: fails when something already has the name
};

// Hands out bytes to be written, in order; fails, with the system's reason, once one can't be.
using WriteBytes = std::function<Status(const char *data, qint64 size)>;

// Writes a file from what produce hands to write. Every byte is written and checked and the file
// synced to the disk before it takes the place of the old one, whose content stays as it was on
// any failure; nothing else is left behind. A link is followed to the file it names. Refuses an
// existing path that is not a regular file and a name with lost bytes. A failure of produce is
// returned as it is; a failure to write says what could not be written and the system's reason.
Status writeFileThrough(const QString &path,
                        const std::function<Status(const WriteBytes &write)> &produce,
                        const OutputOptions &options = {});

// writeFileThrough with the bytes at hand.
Status replaceFileWith(const QString &path, const QByteArray &bytes,
                       const OutputOptions &options = {});

// "Wrote “x.ips” (393 bytes).": what the window shows once a file is written.
QString wroteFileMessage(const QString &path, qint64 size);

} // namespace whoopline
