#pragma once

#include <QString>

#include <optional>

namespace whoopline::document {

// Which file a path leads to: its device and inode, the links followed. Another file put in its
// place, a symbolic link swapped in included, has another identity.
struct FileIdentity
{
    quint64 device = 0;
    quint64 inode = 0;

    friend bool operator==(const FileIdentity &, const FileIdentity &) = default;
};

// The identity of the file at path now, or nothing when there is none the system can name.
std::optional<FileIdentity> IdentityOf(const QString &path);

} // namespace whoopline::document
