#include "rom/system_file.h"

#include <QFile>

#include <cstring>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace whoopline {

QString systemWords(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

#ifdef Q_OS_UNIX

QString fileKind(unsigned mode)
{
    if (S_ISDIR(mode))
        return QStringLiteral("a folder");
    if (S_ISLNK(mode))
        return QStringLiteral("a symbolic link");
    if (S_ISFIFO(mode))
        return QStringLiteral("a named pipe");
    if (S_ISCHR(mode))
        return QStringLiteral("a character device");
    if (S_ISBLK(mode))
        return QStringLiteral("a block device");
    if (S_ISSOCK(mode))
        return QStringLiteral("a socket");
    return S_ISREG(mode) ? QStringLiteral("a regular file") : QStringLiteral("not a regular file");
}

OpenFile::OpenFile(const QString &path, int access)
    : m_fd(::open(QFile::encodeName(path).constData(), access | O_NONBLOCK | O_CLOEXEC))
{
    // errno is taken right after the call that failed: any later call may change it.
    struct stat status = {};
    if (m_fd < 0) {
        m_error = errno;
        // A socket can't be opened at all ("No such device or address"); it is still not a file.
        m_special = ::stat(QFile::encodeName(path).constData(), &status) == 0 &&
                    !S_ISREG(status.st_mode) && !S_ISDIR(status.st_mode);
        return;
    }
    if (::fstat(m_fd, &status) != 0) {
        m_error = errno;
        return;
    }
    m_folder = S_ISDIR(status.st_mode);
    m_regular = S_ISREG(status.st_mode);
    m_special = !m_folder && !m_regular;
    m_size = status.st_size;
}

OpenFile::~OpenFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

Transfer readAt(int fd, char *data, qint64 count, qint64 offset)
{
    Transfer transfer;
    while (transfer.done < count) {
        const ssize_t got = ::pread(fd, data + transfer.done, size_t(count - transfer.done),
                                    off_t(offset + transfer.done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            transfer.error = errno;
            break;
        }
        if (got == 0)
            break; // the file ends here
        transfer.done += got;
    }
    return transfer;
}

Transfer writeAt(int fd, const char *data, qint64 count, qint64 offset)
{
    Transfer transfer;
    while (transfer.done < count) {
        const ssize_t put = ::pwrite(fd, data + transfer.done, size_t(count - transfer.done),
                                     off_t(offset + transfer.done));
        if (put < 0 && errno == EINTR)
            continue;
        if (put < 0) {
            transfer.error = errno;
            break;
        }
        if (put == 0) {
            transfer.error = EIO; // no progress and no reason: never loop for ever
            break;
        }
        transfer.done += put;
    }
    return transfer;
}

#endif

} // namespace whoopline
