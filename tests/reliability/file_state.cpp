#include "file_state.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace whoopline::testing {

namespace {

QString kindName(FileState::Kind kind)
{
    switch (kind) {
    case FileState::Missing:
        return QStringLiteral("missing");
    case FileState::Folder:
        return QStringLiteral("a folder");
    case FileState::File:
        return QStringLiteral("a file");
    }
    return {};
}

} // namespace

FileState observeFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    if (info.isDir())
        return {FileState::Folder, {}};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {FileState::File, {}};
    return {FileState::File, file.readAll()};
}

bool writeFileState(const QString &path, const FileState &state)
{
    const QFileInfo info(path);
    if (info.isDir() ? !QDir(path).removeRecursively() : (info.exists() && !QFile::remove(path)))
        return false;
    switch (state.kind) {
    case FileState::Missing:
        return true;
    case FileState::Folder:
        return QDir().mkdir(path);
    case FileState::File: {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(state.bytes) == state.bytes.size();
    }
    }
    return false;
}

QString describeDifference(const FileState &expected, const FileState &actual)
{
    if (actual.kind != expected.kind)
        return QStringLiteral("the path holds %1 where %2 was expected.")
            .arg(kindName(actual.kind), kindName(expected.kind));
    if (actual.bytes.size() != expected.bytes.size())
        return QStringLiteral("the file is %1 bytes long where %2 were expected.")
            .arg(actual.bytes.size())
            .arg(expected.bytes.size());
    if (actual.bytes == expected.bytes)
        return {};
    for (qsizetype offset = 0; offset < actual.bytes.size(); ++offset) {
        if (actual.bytes.at(offset) != expected.bytes.at(offset))
            return QStringLiteral("position %1 holds %2 where %3 was expected.")
                .arg(offset + 1)
                .arg(quint8(actual.bytes.at(offset)))
                .arg(quint8(expected.bytes.at(offset)));
    }
    return {};
}

} // namespace whoopline::testing
