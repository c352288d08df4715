#include "image_builder.h"

#include <QFile>

namespace whoopline::testing {

ImageBuilder::ImageBuilder(qint64 size) : m_bytes(size, '\0')
{
    const char header[] = {'N', 'E', 'S', 0x1A, 1, 1};
    for (int i = 0; i < int(sizeof header) && i < m_bytes.size(); ++i)
        m_bytes[i] = header[i];
}

ImageBuilder &ImageBuilder::set(Position position, int byte)
{
    const qint64 offset = offsetOf(position);
    if (offset >= m_bytes.size())
        m_bytes.resize(offset + 1, '\0');
    m_bytes[offset] = char(byte);
    return *this;
}

ImageBuilder &ImageBuilder::set(Position position, std::initializer_list<int> bytes)
{
    for (int byte : bytes)
        set(position++, byte);
    return *this;
}

ImageBuilder &ImageBuilder::set(Position position, const QByteArray &bytes)
{
    for (char byte : bytes)
        set(position++, quint8(byte));
    return *this;
}

ImageBuilder &ImageBuilder::fill(Position first, qint64 count, int byte)
{
    for (qint64 i = 0; i < count; ++i)
        set(first + i, byte);
    return *this;
}

ImageBuilder &ImageBuilder::resize(qint64 size)
{
    m_bytes.resize(size, '\0');
    return *this;
}

ImageBuilder &ImageBuilder::setTile(int tile, const QByteArray &sixteenBytes)
{
    return set(rom::TileDataOffset + 1 + qint64(tile) * rom::TileByteCount, sixteenBytes);
}

ImageBuilder &ImageBuilder::setSolidTile(int tile, int pixelValue)
{
    QByteArray bytes(rom::TileByteCount, '\0');
    for (int row = 0; row < 8; ++row) {
        bytes[row] = (pixelValue & 1) ? char(0xFF) : '\0';
        bytes[row + 8] = (pixelValue & 2) ? char(0xFF) : '\0';
    }
    return setTile(tile, bytes);
}

int ImageBuilder::at(Position position) const
{
    return quint8(m_bytes.at(offsetOf(position)));
}

QString ImageBuilder::write(const QTemporaryDir &dir, const QString &name) const
{
    return writeFile(dir, name, m_bytes);
}

QByteArray readWholeFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
    return path;
}

} // namespace whoopline::testing
