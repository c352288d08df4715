#include "file_faults.h"

#include "file_state.h"
#include "track_layout.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_LINUX
#include <sys/stat.h>
#endif

namespace whoopline::testing {

bool StageFileFault(FileFault fault, const QString &path, const QByteArray &image, int track)
{
    switch (fault) {
    case FileFault::Deleted:
        return writeFileState(path, {});
    case FileFault::TruncatedInRegion:
        return writeFileState(path,
                              {FileState::File, image.left(track::trackStartPosition(track) +
                                                           track::trackByteBudget(track) / 2)});
    case FileFault::TruncatedBeforeRegion:
        return writeFileState(path,
                              {FileState::File, image.left(track::trackStartPosition(track) - 1)});
    case FileFault::Folder:
        return writeFileState(path, {FileState::Folder, {}});
    case FileFault::NamedPipe:
#ifdef Q_OS_LINUX
        return writeFileState(path, {}) && ::mkfifo(QFile::encodeName(path).constData(), 0644) == 0;
#else
        return false;
#endif
    case FileFault::DeviceLink:
        return writeFileState(path, {}) && QFile::link(QStringLiteral("/dev/full"), path);
    }
    return false;
}

QString DescribePath(const QString &path)
{
    const QFileInfo info(path);
    if (info.isSymLink())
        return QStringLiteral("link to ") + info.symLinkTarget();
    if (info.exists() && !info.isFile() && !info.isDir())
        return QStringLiteral("special file");
    const FileState state = observeFile(path);
    return QStringLiteral("%1 %2")
        .arg(int(state.kind))
        .arg(QString::fromLatin1(state.bytes.toBase64()));
}

QList<std::pair<const char *, FileFault>> FileFaults()
{
    return {
        {"deleted", FileFault::Deleted},
        {"truncated inside the track's region", FileFault::TruncatedInRegion},
        {"truncated before the track's region", FileFault::TruncatedBeforeRegion},
        {"replaced by a folder", FileFault::Folder},
#ifdef Q_OS_LINUX
        // Opening either for reading would wait for ever, or read on for ever.
        {"replaced by a named pipe", FileFault::NamedPipe},
        {"replaced by a link to a device", FileFault::DeviceLink},
#endif
    };
}

} // namespace whoopline::testing
