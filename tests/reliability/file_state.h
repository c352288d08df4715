#pragma once

#include <QByteArray>
#include <QString>

// What lies at a path, seen from outside the editor, so that a test can say what must be there
// after a step and put it there to stage a fault.
namespace whoopline::testing {

struct FileState
{
    enum Kind
    {
        Missing,
        Folder,
        File
    };
    Kind kind = Missing;
    QByteArray bytes; // the content of a file

    friend bool operator==(const FileState &, const FileState &) = default;
};

FileState observeFile(const QString &path);

// Replaces whatever lies at path by state: removes it, makes an empty folder, or writes a file.
bool writeFileState(const QString &path, const FileState &state);

// How actual differs from expected: its kind, its size or its first differing 1-based position.
// Empty when they are the same.
QString describeDifference(const FileState &expected, const FileState &actual);

} // namespace whoopline::testing
