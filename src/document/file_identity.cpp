#include "document/file_identity.h"

#include <QFile>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace whoopline::document {

std::optional<FileIdentity> IdentityOf(const QString &path)
{
#ifdef Q_OS_UNIX
    struct stat info{};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return std::nullopt;
    return FileIdentity{quint64(info.st_dev), quint64(info.st_ino)};
#else
    Q_UNUSED(path);
    return std::nullopt;
#endif
}

} // namespace whoopline::document
