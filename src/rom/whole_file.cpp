#include "whole_file.h"

#include "image_file.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace whoopline {

namespace {

QString quoted(const QString &path)
{
    return QStringLiteral("\u201C%1\u201D").arg(displayName(path));
}

} // namespace

Result<QByteArray> readEntireFile(const QString &path, qint64 maximumSize)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists())
        return Failure{QStringLiteral("The file %1 does not exist.").arg(quoted(path))};
    if (info.isDir())
        return Failure{QStringLiteral("%1 is a folder, not a file.").arg(quoted(path))};
    // A pipe or a device may never end.
    if (!info.isFile())
        return Failure{QStringLiteral("%1 is not a regular file.").arg(quoted(path))};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::ExistingOnly | QIODevice::Unbuffered))
        return Failure{QStringLiteral("The file %1 cannot be read: %2.")
                           .arg(quoted(path), file.errorString())};
    const qint64 size = file.size();
    if (size > maximumSize)
        return Failure{QStringLiteral("The file %1 is %2 bytes long; at most %3 bytes are read.")
                           .arg(quoted(path), formatNumber(size), formatNumber(maximumSize))};
    QByteArray bytes = file.read(size);
    if (file.error() != QFileDevice::NoError || bytes.size() != size)
        return Failure{QStringLiteral("The file %1 cannot be read: %2.")
                           .arg(quoted(path), file.errorString())};
    return bytes;
}

Status replaceFileWith(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return Failure{QStringLiteral("The file %1 could not be written: %2.")
                           .arg(quoted(path), file.errorString())};
    return Success{};
}

} // namespace whoopline
