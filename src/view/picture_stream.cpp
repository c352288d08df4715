#include "view/picture_stream.h"

#include "rom/image_file.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace whoopline::view {

namespace {

constexpr qint64 ChunkSize = 4096;

QString unreadable(const QString &path, const QString &reason)
{
    return QStringLiteral("The file \u201C%1\u201D cannot be read: %2.").arg(displayName(path), reason);
}

// The stream's bytes up to the zero that ends the last record in use, or up to the end of the
// file or the read limit, whichever comes first.
Result<QByteArray> readStreamBytes(const QString &path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return Failure{unreadable(path, QStringLiteral("it is a folder"))};
    // Opening a pipe for reading waits for a writer that may never come: only a regular file is
    // read.
    if (info.exists() && !info.isFile())
        return Failure{unreadable(path, QStringLiteral("it is no longer a regular file"))};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::ExistingOnly))
        return Failure{unreadable(path, file.errorString())};
    QByteArray bytes;
    if (file.size() <= offsetOf(PictureStreamPosition))
        return bytes;
    if (!file.seek(offsetOf(PictureStreamPosition)))
        return Failure{unreadable(path, file.errorString())};

    qint64 zeros = 0;
    while (zeros < PictureCount && bytes.size() < PictureStreamReadLimit) {
        const QByteArray chunk = file.read(std::min(ChunkSize, PictureStreamReadLimit - bytes.size()));
        if (chunk.isEmpty())
            break;
        zeros += chunk.count('\0');
        bytes.append(chunk);
    }
    return bytes;
}

} // namespace

Result<PictureStream> PictureStream::read(const QString &path)
{
    const auto bytes = readStreamBytes(path);
    if (!bytes)
        return Failure{bytes.error()};

    PictureStream stream;
    qsizetype start = 0;
    for (QByteArray &record : stream.m_records) {
        if (start >= bytes->size()) {
            record = QByteArray(1, '\0');
            continue;
        }
        const qsizetype zero = bytes->indexOf('\0', start);
        if (zero < 0) {
            // The bytes ran out inside this record: the padding zero ends it.
            record = bytes->mid(start) + QByteArray(1, '\0');
            start = bytes->size();
        } else {
            record = bytes->mid(start, zero - start + 1);
            start = zero + 1;
        }
    }
    return stream;
}

QByteArray PictureStream::record(int picture) const
{
    if (picture < 0 || picture >= PictureCount)
        return {};
    return m_records[picture];
}

} // namespace whoopline::view
