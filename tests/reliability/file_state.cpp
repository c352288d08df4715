#include "file_state.h"

#include "image_builder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace whoopline::testing {

FileState observeFile(const QString &path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return {FileState::Folder, {}};
    if (info.isFile())
        return {FileState::File, readWholeFile(path)};
    return {info.exists() || info.isSymLink() ? FileState::Special : FileState::Missing, {}};
}

bool putFileState(const QString &path, const FileState &state)
{
    const QFileInfo info(path);
    if (info.isDir() ? !QDir(path).removeRecursively()
                     : (info.exists() || info.isSymLink()) && !QFile::remove(path))
        return false;
    QFile file(path);
    switch (state.kind) {
    case FileState::Missing:
        return true;
    case FileState::Folder:
        return QDir().mkdir(path);
    case FileState::Special:
#ifdef Q_OS_UNIX
        return ::mkfifo(QFile::encodeName(path).constData(), 0644) == 0;
#else
        return false;
#endif
    case FileState::File:
        return file.open(QIODevice::WriteOnly) && file.write(state.bytes) == state.bytes.size();
    }
    return false;
}

} // namespace whoopline::testing
