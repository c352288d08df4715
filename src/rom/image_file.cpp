#include "rom/image_file.h"

#include "rom/system_file.h"
#include "rom/whole_file.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <optional>
#include <utility>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
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

QString quotedName(const QString &path)
{
    return QStringLiteral("\u201C%1\u201D").arg(displayName(path));
}

bool hasLostBytes(const QString &path)
{
    return path.contains(QChar::ReplacementCharacter);
}

Failure unusableName(const QString &path)
{
    return Failure{QStringLiteral("The name %1 holds bytes that are not text in the system's "
                                  "encoding, so it can't be used. Rename the file.")
                       .arg(quotedName(path))};
}

QString positionRange(Position first, qint64 count)
{
    if (count <= 1)
        return QStringLiteral("position %1").arg(formatNumber(first));
    return QStringLiteral("positions %1 to %2").arg(formatNumber(first), formatNumber(first + count - 1));
}

namespace {

// A whole file is copied in pieces of this size, so that a big file never sits in memory.
constexpr qint64 PieceSize = 64 * 1024;

Failure nowAFolder(const QString &path)
{
    return Failure{QStringLiteral("%1 is now a folder, not a cartridge image.").arg(quotedName(path))};
}

// Opening a pipe for reading waits for a writer that may never come, and a device need not end:
// the path may have become either since the image was opened, so only a regular file is read.
Failure noLongerARegularFile(const QString &path)
{
    return Failure{QStringLiteral("%1 is no longer a regular file, so it cannot be a cartridge image.")
                       .arg(quotedName(path))};
}

// What one read of the image gave: up to the bytes asked for, fewer where the file ends first.
struct ImageRead
{
    QByteArray bytes;
    qint64 fileSize = 0;
};

#ifdef Q_OS_UNIX

// Why an image opened for reading can't be read, if it can't.
std::optional<Failure> refusedForReading(const QString &path, const OpenFile &file)
{
    if (file.error() != 0)
        return cannotReadFile(path, systemWords(file.error()));
    if (file.isFolder())
        return nowAFolder(path);
    if (!file.isRegular())
        return noLongerARegularFile(path);
    return std::nullopt;
}

Result<ImageRead> readRegularFile(const QString &path, qint64 offset, qint64 count)
{
    const OpenFile file(path, O_RDONLY);
    if (const auto refused = refusedForReading(path, file))
        return *refused;
    ImageRead read{QByteArray(qMax<qint64>(0, qMin<qint64>(count, file.size() - offset)), Qt::Uninitialized),
                   file.size()};
    const Transfer got = readAt(file.fd(), read.bytes.data(), read.bytes.size(), offset);
    if (got.error != 0)
        return cannotReadFile(path, systemWords(got.error));
    read.bytes.truncate(got.done); // the file may have become shorter since it was opened
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
        return cannotReadFile(path, file.errorString());
    ImageRead read{{}, file.size()};
    if (offset < read.fileSize) {
        if (!file.seek(offset))
            return cannotReadFile(path, file.errorString());
        read.bytes = file.read(count);
    }
    return read;
}

#endif

} // namespace

Result<qint64> checkImageFile(const QString &path, qint64 minimumSize)
{
    const auto doesNotExist = [&] {
        return Failure{QStringLiteral("The file %1 does not exist.").arg(quotedName(path))};
    };
    const auto isAFolder = [&] {
        return Failure{QStringLiteral("%1 is a folder, not a cartridge image.").arg(quotedName(path))};
    };
    const auto notARegularFile = [&] {
        return Failure{QStringLiteral("%1 is not a regular file, so it cannot be a cartridge image.")
                           .arg(quotedName(path))};
    };
    if (path.isEmpty())
        return doesNotExist();
#ifdef Q_OS_UNIX
    // Opened, not looked up: a link that leads in a circle says so instead of "does not exist".
    const OpenFile file(path, O_RDONLY);
    if (file.error() == ENOENT)
        return hasLostBytes(path) ? unusableName(path) : doesNotExist();
    if (file.isSpecial())
        return notARegularFile();
    if (file.error() != 0)
        return cannotReadFile(path, systemWords(file.error()));
    if (file.isFolder())
        return isAFolder();
    if (!file.isRegular())
        return notARegularFile();
    const qint64 size = file.size();
#else
    const QFileInfo info(path);
    if (!info.exists())
        return doesNotExist();
    if (info.isDir())
        return isAFolder();
    if (!info.isFile())
        return notARegularFile();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::ExistingOnly))
        return cannotReadFile(path, file.errorString());
    const qint64 size = file.size();
#endif
    if (size < minimumSize)
        return Failure{QStringLiteral("The file %1 is %2 bytes long; a cartridge image needs at least %3.")
                           .arg(quotedName(path), formatNumber(size), formatNumber(minimumSize))};
    return size;
}

Result<QByteArray> readImageBytes(const QString &path, Position first, qint64 count, const QString &what)
{
    if (offsetOf(first) < 0)
        return cannotReadFile(path, QStringLiteral("position %1 lies before its start").arg(formatNumber(first)));
    auto read = readRegularFile(path, offsetOf(first), count);
    if (!read)
        return Failure{read.error()};
    if (read->bytes.size() != count)
        return Failure{QStringLiteral("The file %1 is %2 bytes long, too short for %3 (%4).")
                           .arg(quotedName(path), formatNumber(read->fileSize), what, positionRange(first, count))};
    return std::move(read.value().bytes);
}

bool startsWithImageHeader(const QByteArray &bytes)
{
    return bytes.startsWith(QByteArrayLiteral("NES\x1A"));
}

Status checkImageHeader(const QString &path)
{
    // The smallest image is far longer, so a shorter file is as foreign as a wrong header.
    const Result<ImageRead> start = readRegularFile(path, 0, 4);
    return start ? checkImageHeader(path, start->bytes) : Status(Success{});
}

Status checkImageHeader(const QString &path, const QByteArray &start)
{
    if (!startsWithImageHeader(start))
        return Failure{QStringLiteral("%1 does not start with a cartridge image's header.")
                           .arg(quotedName(path))};
    return Success{};
}

Status readWholeImage(const QString &path, const std::function<bool(const QByteArray &piece)> &take)
{
#ifdef Q_OS_UNIX
    // One open for the whole file, so every piece comes from the same file.
    const OpenFile file(path, O_RDONLY);
    if (const auto refused = refusedForReading(path, file))
        return *refused;
    QByteArray piece(PieceSize, Qt::Uninitialized);
    for (qint64 offset = 0;;) {
        const Transfer got = readAt(file.fd(), piece.data(), PieceSize, offset);
        if (got.error != 0)
            return cannotReadFile(path, systemWords(got.error));
        if (got.done == 0 || !take(piece.first(got.done)))
            return Success{};
        offset += got.done;
    }
#else
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::ExistingOnly))
        return cannotReadFile(path, file.errorString());
    for (;;) {
        const QByteArray piece = file.read(PieceSize);
        if (file.error() != QFileDevice::NoError)
            return cannotReadFile(path, file.errorString());
        if (piece.isEmpty() || !take(piece))
            return Success{};
    }
#endif
}

} // namespace whoopline
