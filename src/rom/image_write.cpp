#include "rom/image_file.h"

#include "rom/safety_copy.h"
#include "rom/system_file.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif

// Writing into the image in place, all or nothing: the bytes to be overwritten are read first and
// written back when the write fails part way, so a failed save leaves the file as it was.
namespace whoopline {

namespace {

Failure nothingWritten(const QString &sentence)
{
    return Failure{sentence + QStringLiteral(" Nothing was written.")};
}

Failure tooShort(const QString &path, qint64 size, Position first, qint64 count)
{
    return Failure{
        QStringLiteral("The file %1 is now %2 bytes long, too short for %3; nothing was written.")
            .arg(quotedName(path), formatNumber(size), positionRange(first, count))};
}

Failure writeFailed(const QString &path, const QString &reason)
{
    return nothingWritten(
        QStringLiteral("Writing to %1 failed: %2.").arg(quotedName(path), reason));
}

Failure restored(const QString &path, const QString &reason)
{
    return Failure{
        QStringLiteral("Writing to %1 failed: %2. The old bytes were written back, so the file "
                       "is as it was.")
            .arg(quotedName(path), reason)};
}

// The one case in which the file is not known to be as it was: the old bytes did not go back.
Failure maybePartlyWritten(const QString &path, const QString &reason, const QString &restoreReason,
                           Position first, qint64 count)
{
    QString message =
        QStringLiteral("Writing to %1 failed: %2, and writing the old bytes back failed too: %3. "
                       "Positions %4 to %5 of %1 may be partly written.")
            .arg(quotedName(path), reason, restoreReason, formatNumber(first),
                 formatNumber(first + count - 1));
    const QString copy = safetyCopyPath(path);
    if (QFileInfo(copy).isFile())
        message +=
            QStringLiteral(" The safety copy %1 holds the image as it was before the editor first "
                           "saved into it.")
                .arg(quotedName(copy));
    return Failure{message};
}

#ifdef Q_OS_UNIX

bool flushedToDisk(int fd, int *error)
{
    // A file system that can't sync says EINVAL; its bytes are as written as they can be.
    if (::fsync(fd) == 0 || errno == EINVAL)
        return true;
    *error = errno;
    return false;
}

// Reserves the blocks of the region, so that a hole in it on a full disk fails before any byte
// changes. A file system that can't reserve them is written all the same.
int reserveBlocks(int fd, qint64 offset, qint64 count)
{
#ifdef __linux__
    for (;;) {
        if (::fallocate(fd, FALLOC_FL_KEEP_SIZE, off_t(offset), off_t(count)) == 0)
            return 0;
        const int error = errno;
        if (error == EINTR)
            continue;
        return error == EOPNOTSUPP || error == ENOSYS || error == EINVAL ? 0 : error;
    }
#else
    Q_UNUSED(fd);
    Q_UNUSED(offset);
    Q_UNUSED(count);
    return 0;
#endif
}

#endif

} // namespace

#ifdef Q_OS_UNIX

Status writeImageBytes(const QString &path, Position first, const QByteArray &bytes,
                       const std::function<Status()> &beforeWriting)
{
    const OpenFile file(path, O_RDWR);
    if (file.error() == ENOENT)
        return Failure{QStringLiteral("The file %1 no longer exists; nothing was written.")
                           .arg(quotedName(path))};
    if (file.error() == EISDIR || file.isFolder())
        return Failure{
            QStringLiteral("%1 is now a folder; nothing was written.").arg(quotedName(path))};
    if (file.error() != 0)
        return nothingWritten(QStringLiteral("The file %1 cannot be opened for writing: %2.")
                                  .arg(quotedName(path), systemWords(file.error())));
    if (!file.isRegular())
        return Failure{QStringLiteral("%1 is no longer a regular file; nothing was written.")
                           .arg(quotedName(path))};
    const qint64 offset = offsetOf(first);
    const qint64 count = bytes.size();
    if (file.size() < offset + count)
        return tooShort(path, file.size(), first, count);
    if (beforeWriting) {
        if (const Status ready = beforeWriting(); !ready)
            return ready;
    }

    QByteArray old(count, Qt::Uninitialized);
    const Transfer read = readAt(file.fd(), old.data(), count, offset);
    if (read.error != 0)
        return nothingWritten(QStringLiteral("The file %1 cannot be read: %2.")
                                  .arg(quotedName(path), systemWords(read.error)));
    if (read.done < count)
        return tooShort(path, offset + read.done, first, count);
    if (const int error = reserveBlocks(file.fd(), offset, count))
        return writeFailed(path, systemWords(error));

    const Transfer written = writeAt(file.fd(), bytes.constData(), count, offset);
    int error = written.error;
    if (error == 0 && flushedToDisk(file.fd(), &error))
        return Success{};
    // A write that failed at its first byte changed nothing; after a failed sync every byte may
    // have changed.
    const qint64 changed = written.error != 0 ? written.done : count;
    if (changed == 0)
        return writeFailed(path, systemWords(error));
    const Transfer back = writeAt(file.fd(), old.constData(), changed, offset);
    int restoreError = back.error;
    if (restoreError == 0 && flushedToDisk(file.fd(), &restoreError))
        return restored(path, systemWords(error));
    return maybePartlyWritten(path, systemWords(error), systemWords(restoreError), first, count);
}

#else

Status writeImageBytes(const QString &path, Position first, const QByteArray &bytes,
                       const std::function<Status()> &beforeWriting)
{
    const QFileInfo info(path);
    if (!info.exists())
        return Failure{QStringLiteral("The file %1 no longer exists; nothing was written.")
                           .arg(quotedName(path))};
    if (info.isDir())
        return Failure{
            QStringLiteral("%1 is now a folder; nothing was written.").arg(quotedName(path))};
    QFile file(path);
    // ExistingOnly: a save never creates a file; ReadWrite without Truncate keeps every other byte.
    if (!file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly | QIODevice::Unbuffered))
        return nothingWritten(QStringLiteral("The file %1 cannot be opened for writing: %2.")
                                  .arg(quotedName(path), file.errorString()));
    if (file.size() < offsetOf(first) + bytes.size())
        return tooShort(path, file.size(), first, bytes.size());
    if (beforeWriting) {
        if (const Status ready = beforeWriting(); !ready)
            return ready;
    }
    const QByteArray old = file.seek(offsetOf(first)) ? file.read(bytes.size()) : QByteArray();
    if (old.size() != bytes.size())
        return nothingWritten(QStringLiteral("The file %1 cannot be read: %2.")
                                  .arg(quotedName(path), file.errorString()));
    if (file.seek(offsetOf(first)) && file.write(bytes) == bytes.size() && file.flush())
        return Success{};
    const QString reason = file.errorString();
    if (file.seek(offsetOf(first)) && file.write(old) == old.size() && file.flush())
        return restored(path, reason);
    return maybePartlyWritten(path, reason, file.errorString(), first, bytes.size());
}

#endif

} // namespace whoopline
