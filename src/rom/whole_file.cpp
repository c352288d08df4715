#include "rom/whole_file.h"

#include "rom/image_file.h"
#include "rom/system_file.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace whoopline {

namespace {

Failure tooLong(const QString &path, qint64 size, qint64 maximumSize)
{
    return Failure{QStringLiteral("The file %1 is %2 bytes long; at most %3 bytes are read.")
                       .arg(quotedName(path), formatNumber(size), formatNumber(maximumSize))};
}

#ifdef Q_OS_UNIX

QByteArray encoded(const QString &path)
{
    return QFile::encodeName(path);
}

// A temporary file beside the one it will replace, so that the rename stays on one file system.
int createBeside(const QByteArray &target, QByteArray *temporary)
{
    const qsizetype slash = target.lastIndexOf('/');
    for (int attempt = 0;; ++attempt) {
        *temporary = target.left(slash + 1) + '.' + target.mid(slash + 1) + ".tmp-" +
                     QByteArray::number(QRandomGenerator::global()->generate(), 36);
        const int fd = ::open(temporary->constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST || attempt == 8)
            return fd;
    }
}

// Puts the written file in the place of target; without replacing, something under that name
// makes it fail.
int putInPlace(const QByteArray &temporary, const QByteArray &target, bool replaces)
{
    if (replaces)
        return ::rename(temporary.constData(), target.constData()) == 0 ? 0 : errno;
#ifdef RENAME_NOREPLACE
    if (::renameat2(AT_FDCWD, temporary.constData(), AT_FDCWD, target.constData(),
                    RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
#endif
    // A file system without that rename: a hard link never replaces anything either.
    if (::link(temporary.constData(), target.constData()) != 0)
        return errno;
    ::unlink(temporary.constData());
    return 0;
}

void syncFolderOf(const QByteArray &target)
{
    const qsizetype slash = target.lastIndexOf('/');
    const QByteArray name = slash < 0 ? QByteArray(".") : target.left(qMax<qsizetype>(slash, 1));
    const int folder = ::open(name.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder); // the rename itself is then on the disk; a failure leaves it to the system
        ::close(folder);
    }
}

#endif

} // namespace

Failure cannotReadFile(const QString &path, const QString &reason)
{
    return Failure{QStringLiteral("The file %1 cannot be read: %2.").arg(quotedName(path), reason)};
}

#ifdef Q_OS_UNIX

Result<QByteArray> readEntireFile(const QString &path, qint64 maximumSize)
{
    // Opened, not looked up: a link that leads in a circle says so instead of "does not exist".
    const OpenFile file(path, O_RDONLY);
    if (path.isEmpty() || file.error() == ENOENT)
        return hasLostBytes(path)
                   ? unusableName(path)
                   : Failure{QStringLiteral("The file %1 does not exist.").arg(quotedName(path))};
    if (file.isFolder() || file.error() == EISDIR)
        return Failure{QStringLiteral("%1 is a folder, not a file.").arg(quotedName(path))};
    // A pipe or a device may never end.
    if (file.isSpecial())
        return Failure{QStringLiteral("%1 is not a regular file.").arg(quotedName(path))};
    if (file.error() != 0)
        return cannotReadFile(path, systemWords(file.error()));
    if (file.size() > maximumSize)
        return tooLong(path, file.size(), maximumSize);
    QByteArray bytes(file.size(), Qt::Uninitialized);
    const Transfer got = readAt(file.fd(), bytes.data(), bytes.size(), 0);
    if (got.error != 0)
        return cannotReadFile(path, systemWords(got.error));
    bytes.truncate(got.done);
    return bytes;
}

Status checkOutputIsNoInput(const QString &output, const QStringList &inputs)
{
    struct stat written = {};
    if (::stat(encoded(output).constData(), &written) != 0)
        return Success{}; // a file that does not exist yet is no input
    for (const QString &input : inputs) {
        struct stat read = {};
        if (::stat(encoded(input).constData(), &read) == 0 && read.st_dev == written.st_dev &&
            read.st_ino == written.st_ino)
            return Failure{QStringLiteral("The output %1 is the same file as the input %2: writing "
                                          "it would destroy that input. Choose another name for "
                                          "the output; nothing was written.")
                               .arg(quotedName(output), quotedName(input))};
    }
    return Success{};
}

Status writeFileThrough(const QString &path,
                        const std::function<Status(const WriteBytes &write)> &produce,
                        const OutputOptions &options)
{
    const auto failed = [&](const QString &reason) {
        return Failure{QStringLiteral("%1 %2 could not be written: %3.")
                           .arg(options.what, quotedName(path), reason)};
    };
    if (hasLostBytes(path))
        return unusableName(path);
    QByteArray target = encoded(path);
    struct stat existing = {};
    const bool exists = ::stat(target.constData(), &existing) == 0;
    if (!exists && errno != ENOENT)
        return failed(systemWords(errno));
    if (exists && !S_ISREG(existing.st_mode))
        return failed(QStringLiteral("it is %1, not a regular file").arg(fileKind(existing.st_mode)));
    if (!exists && ::lstat(target.constData(), &existing) == 0)
        return failed(QStringLiteral("it is a symbolic link to a file that does not exist"));
    if (exists && options.replacesExisting) {
        // The file a link names is replaced; the link stays.
        char real[PATH_MAX];
        if (::realpath(target.constData(), real) == nullptr)
            return failed(systemWords(errno));
        target = real;
    }

    QByteArray temporary;
    const int fd = createBeside(target, &temporary);
    if (fd < 0)
        return failed(systemWords(errno));
    int error = 0;
    if (options.permissions >= 0 || exists)
        error = ::fchmod(fd, options.permissions >= 0 ? mode_t(options.permissions)
                                                      : existing.st_mode & 07777) == 0 ? 0 : errno;
    qint64 offset = 0;
    const Status produced = error != 0 ? Status(Success{}) : produce([&](const char *data, qint64 size) -> Status {
        const Transfer put = writeAt(fd, data, size, offset);
        offset += put.done;
        if (put.error == 0)
            return Success{};
        error = put.error;
        return failed(systemWords(error));
    });
    if (error == 0 && produced.ok() && ::fsync(fd) != 0 && errno != EINVAL)
        error = errno;
    if (::close(fd) != 0 && error == 0 && produced.ok())
        error = errno;
    if (error == 0 && produced.ok())
        error = putInPlace(temporary, target, options.replacesExisting);
    if (error != 0 || !produced.ok()) {
        ::unlink(temporary.constData());
        return error != 0 ? failed(systemWords(error)) : produced;
    }
    syncFolderOf(target);
    return Success{};
}

#else

Result<QByteArray> readEntireFile(const QString &path, qint64 maximumSize)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists())
        return Failure{QStringLiteral("The file %1 does not exist.").arg(quotedName(path))};
    if (!info.isFile())
        return Failure{QStringLiteral("%1 is not a regular file.").arg(quotedName(path))};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::ExistingOnly))
        return cannotReadFile(path, file.errorString());
    if (file.size() > maximumSize)
        return tooLong(path, file.size(), maximumSize);
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return cannotReadFile(path, file.errorString());
    return bytes;
}

Status checkOutputIsNoInput(const QString &output, const QStringList &inputs)
{
    for (const QString &input : inputs)
        if (QFileInfo(output).canonicalFilePath() == QFileInfo(input).canonicalFilePath() &&
            QFileInfo::exists(output))
            return Failure{QStringLiteral("The output %1 is the same file as the input %2; "
                                          "nothing was written.")
                               .arg(quotedName(output), quotedName(input))};
    return Success{};
}

Status writeFileThrough(const QString &path,
                        const std::function<Status(const WriteBytes &write)> &produce,
                        const OutputOptions &options)
{
    QSaveFile file(path);
    const auto failed = [&] {
        return Failure{QStringLiteral("%1 %2 could not be written: %3.")
                           .arg(options.what, quotedName(path), file.errorString())};
    };
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failed();
    const Status produced = produce([&](const char *data, qint64 size) -> Status {
        return file.write(data, size) == size ? Status(Success{}) : Status(failed());
    });
    if (!produced)
        return produced;
    return file.commit() ? Status(Success{}) : Status(failed());
}

#endif

Status replaceFileWith(const QString &path, const QByteArray &bytes, const OutputOptions &options)
{
    return writeFileThrough(
        path, [&](const WriteBytes &write) { return write(bytes.constData(), bytes.size()); },
        options);
}

QString wroteFileMessage(const QString &path, qint64 size)
{
    return QStringLiteral("Wrote %1 (%2 %3).")
        .arg(quotedName(path), formatNumber(size),
             size == 1 ? QStringLiteral("byte") : QStringLiteral("bytes"));
}

} // namespace whoopline
