#pragma once

#include "image_file.h"
#include "rom_layout.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <initializer_list>

namespace whoopline::testing {

// Builds a cartridge image in memory, byte by byte at 1-based positions, and writes it to a
// file. By default it is the smallest image the editor accepts: a 16-byte header "NES" 0x1A,
// 16 KB of program data and 8 KB of character data, all other bytes 0.
class ImageBuilder
{
public:
    explicit ImageBuilder(qint64 size = rom::MinimumImageSize);

    ImageBuilder &set(Position position, int byte);
    ImageBuilder &set(Position position, std::initializer_list<int> bytes);
    ImageBuilder &set(Position position, const QByteArray &bytes);
    ImageBuilder &fill(Position first, qint64 count, int byte);
    ImageBuilder &resize(qint64 size);

    // Tile t's 16 bytes (plane 0 rows 0..7, then plane 1 rows 0..7).
    ImageBuilder &setTile(int tile, const QByteArray &sixteenBytes);
    // A tile whose every pixel has the given value 0..3.
    ImageBuilder &setSolidTile(int tile, int pixelValue);

    int at(Position position) const;
    const QByteArray &bytes() const { return m_bytes; }

    // Writes the image into dir and returns its full path.
    QString write(const QTemporaryDir &dir, const QString &name = QStringLiteral("image.nes")) const;

private:
    QByteArray m_bytes;
};

// The whole content of a file, or an empty array when it can't be read.
QByteArray readWholeFile(const QString &path);

// Writes bytes into a new file in dir and returns its path.
QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes);

} // namespace whoopline::testing
