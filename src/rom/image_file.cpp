#include "image_file.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <utility>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace whoopline {

QString formatNumber(qint64 number)
{
    return QLocale(QLocale::English, QLocale::UnitedStates).toString(number);
}

QString displayName(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    return name.isEmpty() ? path : name;
}

namespace {

QString quoted(const QString &path)
{
    return QStringLiteral("\u201C%1\u201D").arg(displayName(path));
}

QString positionRange(Position first, qint64 count)
{
    if (count <= 1)
        return QStringLiteral("position %1").arg(formatNumber(first));
    return QStringLiteral("positions %1 to %2").arg(formatNumber(first), formatNumber(first + count - 1));
}

Failure cannotRead(const QString &path, const QString &reason)
{
    return Failure{QStringLiteral("The file %1 cannot be read: %2.").arg(quoted(path), reason)};
}

Failure nowAFolder(const QString &path)
{
    return Failure{QStringLiteral("%1 is now a folder, not a cartridge image.").arg(quoted(path))};
}

// Opening a pipe for reading waits for a writer that may never come, and a device need not end:
// the path may have become either since the image was opened, so only a regular file is read.
Failure noLongerARegularFile(const QString &path)
{
    return Failure{QStringLiteral("%1 is no longer a regular file, so it cannot be a cartridge image.")
                       .arg(quoted(path))};
}

// What one read of the image gave: up to the bytes asked for, fewer where the file ends first.
struct ImageRead
{
    QByteArray bytes;
    qint64 fileSize = 0;
};

#ifdef Q_OS_UNIX

// Closes the descriptor however the read ends.
struct Descriptor
{
    explicit Descriptor(int opened) : fd(opened) {}
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    ~Descriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }

    const int fd;
};

QString systemError()
{
    return QString::fromLocal8Bit(strerror(errno));
}

// On Unix with plain system calls: open, ask what it is, read, close. The file is opened without
// waiting, so a pipe can be refused, and asked what it is only then, so the path can't change
// between the check and the read.
Result<ImageRead> readRegularFile(const QString &path, qint64 offset, qint64 count)
{
    const Descriptor file{::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    if (file.fd < 0)
        return cannotRead(path, systemError());
    struct stat status = {};
    if (::fstat(file.fd, &status) != 0)
        return cannotRead(path, systemError());
    if (S_ISDIR(status.st_mode))
        return nowAFolder(path);
    if (!S_ISREG(status.st_mode))
        return noLongerARegularFile(path);

    ImageRead read{QByteArray(qMax<qint64>(0, qMin<qint64>(count, status.st_size - offset)), Qt::Uninitialized),
                   status.st_size};
    qint64 done = 0;
    while (done < read.bytes.size()) {
        const ssize_t got =
            ::pread(file.fd, read.bytes.data() + done, size_t(read.bytes.size() - done), off_t(offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return cannotRead(path, systemError());
        if (got == 0)
            break; // the file became shorter since fstat
        done += got;
    }
    read.bytes.truncate(done);
    return read;
}

#else

Result<ImageRead> readRegularFile(const QString &path, qint64 offset, qint64 count)
{
    const QFileInfo info(path);
    if (info.isDir())
        return nowAFolder(path);
    if (info.exists() && !info.isFile())
        return noLongerARegularFile(path);
    QFile file(path);
    // Unbuffered: the one read goes straight into the result.
    if (!file.open(QIODevice::ReadOnly | QIODevice::ExistingOnly | QIODevice::Unbuffered))
        return cannotRead(path, file.errorString());
    ImageRead read{{}, file.size()};
    if (offset < read.fileSize) {
        if (!file.seek(offset))
            return cannotRead(path, file.errorString());
        read.bytes = file.read(count);
    }
    return read;
}

#endif

} // namespace

Result<qint64> checkImageFile(const QString &path, qint64 minimumSize)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists())
        return Failure{QStringLiteral("The file %1 does not exist.").arg(quoted(path))};
    if (info.isDir())
        return Failure{QStringLiteral("%1 is a folder, not a cartridge image.").arg(quoted(path))};
    if (!info.isFile())
        return Failure{QStringLiteral("%1 is not a regular file, so it cannot be a cartridge image.")
                           .arg(quoted(path))};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::ExistingOnly))
        return Failure{QStringLiteral("The file %1 cannot be read: %2.").arg(quoted(path), file.errorString())};
    const qint64 size = file.size();
    if (size < minimumSize)
        return Failure{QStringLiteral("The file %1 is %2 bytes long; a cartridge image needs at least %3.")
                           .arg(quoted(path), formatNumber(size), formatNumber(minimumSize))};
    return size;
}

Result<QByteArray> readImageBytes(const QString &path, Position first, qint64 count, const QString &what)
{
    if (offsetOf(first) < 0)
        return cannotRead(path, QStringLiteral("position %1 lies before its start").arg(formatNumber(first)));
    auto read = readRegularFile(path, offsetOf(first), count);
    if (!read)
        return Failure{read.error()};
    if (read->bytes.size() != count)
        return Failure{QStringLiteral("The file %1 is %2 bytes long, too short for %3 (%4).")
                           .arg(quoted(path), formatNumber(read->fileSize), what, positionRange(first, count))};
    return std::move(read.value().bytes);
}

Status writeImageBytes(const QString &path, Position first, const QByteArray &bytes)
{
    const QFileInfo info(path);
    if (!info.exists())
        return Failure{QStringLiteral("The file %1 no longer exists; nothing was written.").arg(quoted(path))};
    if (info.isDir())
        return Failure{QStringLiteral("%1 is now a folder; nothing was written.").arg(quoted(path))};
    QFile file(path);
    // ExistingOnly: a save never creates a file; ReadWrite without Truncate keeps every other byte.
    if (!file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly | QIODevice::Unbuffered))
        return Failure{QStringLiteral("The file %1 cannot be opened for writing: %2. Nothing was written.")
                           .arg(quoted(path), file.errorString())};
    const qint64 needed = offsetOf(first) + bytes.size();
    if (file.size() < needed)
        return Failure{QStringLiteral("The file %1 is now %2 bytes long, too short for %3; nothing was written.")
                           .arg(quoted(path), formatNumber(file.size()), positionRange(first, bytes.size()))};
    if (!file.seek(offsetOf(first)) || file.write(bytes) != bytes.size() || !file.flush())
        return Failure{QStringLiteral("Writing to %1 failed: %2. The track may be only partly saved.")
                           .arg(quoted(path), file.errorString())};
#ifdef Q_OS_UNIX
    if (::fsync(file.handle()) != 0 && errno != EINVAL)
        return Failure{QStringLiteral("Writing to %1 failed: %2. The track may be only partly saved.")
                           .arg(quoted(path), QString::fromLocal8Bit(strerror(errno)))};
#endif
    file.close();
    if (file.error() != QFileDevice::NoError)
        return Failure{QStringLiteral("Writing to %1 failed: %2. The track may be only partly saved.")
                           .arg(quoted(path), file.errorString())};
    return Success{};
}

} // namespace whoopline
