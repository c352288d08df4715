#pragma once

#include <QByteArray>
#include <QString>

// What lies at an image's path, seen from outside the editor: a test puts a state there to stage
// what another program might do, and checks that a step left the path as it must.
namespace whoopline::testing {

struct FileState
{
    // Special is a named pipe or a device: reading it may wait, or never end.
    enum Kind
    {
        Missing,
        Folder,
        Special,
        File
    } kind = Missing;
    QByteArray bytes; // a file's content

    friend bool operator==(const FileState &, const FileState &) = default;
};

// Never opens anything but a regular file.
FileState observeFile(const QString &path);

// Replaces whatever lies at path by state, a special file by a named pipe. False when the system
// would not let it.
bool putFileState(const QString &path, const FileState &state);

} // namespace whoopline::testing
