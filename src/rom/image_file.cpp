#include "image_file.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <optional>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
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

// Opening a pipe for reading waits for a writer that may never come, and a device need not end:
// the path may have become either since the image was opened, so only a regular file is read.
std::optional<Failure> refuseSpecialFile(const QString &path)
{
    const QFileInfo info(path);
    if (info.exists() && !info.isFile() && !info.isDir())
        return Failure{QStringLiteral("%1 is no longer a regular file, so it cannot be a cartridge image.")
                           .arg(quoted(path))};
    return std::nullopt;
}

// Unbuffered, because every read takes what it needs in one call: Qt's read buffer would only
// add an allocation and a copy. Opening a folder fails too; cannotOpen() tells the two apart.
bool openForReading(QFile &file)
{
    return file.open(QIODevice::ReadOnly | QIODevice::ExistingOnly | QIODevice::Unbuffered);
}

Failure cannotOpen(const QFile &file)
{
    if (QFileInfo(file.fileName()).isDir())
        return Failure{QStringLiteral("%1 is now a folder, not a cartridge image.").arg(quoted(file.fileName()))};
    return Failure{QStringLiteral("The file %1 cannot be read: %2.").arg(quoted(file.fileName()), file.errorString())};
}

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
    QFile file(path);
    if (auto refused = refuseSpecialFile(path))
        return *refused;
    if (!openForReading(file))
        return cannotOpen(file);
    if (!file.seek(offsetOf(first)))
        return Failure{QStringLiteral("The file %1 cannot be read: %2.").arg(quoted(path), file.errorString())};
    QByteArray bytes = file.read(count);
    if (bytes.size() != count)
        return Failure{QStringLiteral("The file %1 is %2 bytes long, too short for %3 (%4).")
                           .arg(quoted(path), formatNumber(file.size()), what, positionRange(first, count))};
    return bytes;
}

Result<QByteArray> readImageBytesPadded(const QString &path, Position first, qint64 count)
{
    QFile file(path);
    if (auto refused = refuseSpecialFile(path))
        return *refused;
    if (!openForReading(file))
        return cannotOpen(file);
    QByteArray bytes;
    if (file.size() > offsetOf(first) && file.seek(offsetOf(first)))
        bytes = file.read(count);
    if (bytes.size() < count)
        bytes.append(count - bytes.size(), '\0');
    return bytes;
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
