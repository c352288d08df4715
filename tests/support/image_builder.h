#pragma once

#include "rom/image_file.h"

#include <QtCore>

#include <initializer_list>

// Cartridge images built in memory at 1-based positions. The places of the format are written
// out here as the numbers they are, never taken from the editor's constants: a test whose image
// moves with a wrong constant cannot catch it.
namespace whoopline::testing {

constexpr Position TrackStarts[] = {11607, 11882, 11737, 12003, 12216}; // tracks 1..5
constexpr int TrackBudgets[] = {129, 120, 144, 212, 187};

inline QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray result;
    for (int value : values)
        result.append(char(value));
    return result;
}

inline QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &content)
{
    QFile file(dir.filePath(name));
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size() ? file.fileName() : QString();
}

// The whole content of a file, or an empty array when it can't be read.
inline QByteArray readWholeFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// By default the smallest image the editor accepts (a 16-byte header, 16 KB of program and 8 KB
// of tiles), all bytes 0 but the header's first four, "NES" and 0x1A.
class ImageBuilder
{
public:
    explicit ImageBuilder(qint64 size = 24592) : m_bytes(size, '\0') { if (size >= 4) m_bytes.replace(0, 4, "NES\x1A"); }
    ImageBuilder &set(Position first, const QByteArray &values)
    {
        m_bytes.resize(qMax(m_bytes.size(), first - 1 + values.size()), '\0');
        m_bytes.replace(first - 1, values.size(), values);
        return *this;
    }
    ImageBuilder &set(Position at, int value) { return set(at, QByteArray(1, char(value))); }
    // Records 0, 1, ... of the object picture stream at 12476, each followed by its final 0.
    ImageBuilder &pictures(const QList<QByteArray> &records)
    {
        Position at = 12476;
        for (const QByteArray &record : records) {
            set(at, record + '\0');
            at += record.size() + 1;
        }
        return *this;
    }
    const QByteArray &bytes() const { return m_bytes; }
    QString write(const QTemporaryDir &dir, const QString &name = QStringLiteral("image.nes")) const
    {
        return writeFile(dir, name, m_bytes);
    }

private:
    QByteArray m_bytes;
};

} // namespace whoopline::testing
