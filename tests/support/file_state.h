#pragma once

#include "image_builder.h"


#include <sys/stat.h>

// What lies at an image's path, seen from outside the editor: a test puts a state there to stage
// what another program might do, and checks that a step left the path as it must.
namespace whoopline::testing {

struct FileState
{
    // Special is a named pipe: reading it may wait for a writer, or never end.
    enum Kind { Missing, Folder, Special, File } kind = Missing;
    QByteArray bytes; // a file's content

    friend bool operator==(const FileState &, const FileState &) = default;
};

// Never opens anything but a regular file.
inline FileState observeFile(const QString &path)
{
    const QFileInfo info(path);
    if (info.isFile())
        return {FileState::File, readWholeFile(path)};
    return {info.isDir() ? FileState::Folder : info.exists() ? FileState::Special : FileState::Missing, {}};
}

// Replaces whatever lies at path by state; false when the system would not let it.
inline bool putFileState(const QString &path, const FileState &state)
{
    QDir(path).removeRecursively();
    QFile::remove(path);
    QFile file(path);
    return !QFileInfo::exists(path) &&
           (state.kind == FileState::Missing || (state.kind == FileState::Folder && QDir().mkdir(path)) ||
            (state.kind == FileState::Special && ::mkfifo(QFile::encodeName(path).constData(), 0644) == 0) ||
            (state.kind == FileState::File && file.open(QIODevice::WriteOnly) &&
             file.write(state.bytes) == state.bytes.size()));
}

} // namespace whoopline::testing
