#include "image_builder.h"
#include "rom/nes_palette.h"
#include "rom/rom_graphics.h"
#include "rom/tile.h"

#include <QRandomGenerator>
#include <QTest>

using namespace whoopline;
using namespace whoopline::rom;
using namespace whoopline::testing;

class TestRom : public QObject
{
    Q_OBJECT

private slots:
    // The editor's colour table, index 0x00 first, then what lies past it.
    void nesColours()
    {
        const QStringList table = QStringLiteral(
            "7B7B7B 0000FF 0000BD 4229BD 940084 AD0021 8C1000 8C1000 522900 007300 006B00 005A00 "
            "004252 000000 000000 000000 BDBDBD 0073F7 0052F7 6B42FF DE00CE E7005A F73100 E75A10 "
            "AD7B00 00AD00 00AD00 00AD42 008C8C 000000 000000 000000 F7F7F7 39BDFF 6B84FF 9473F7 "
            "F773F7 F75294 F77352 FFA542 F7B500 B59310 5ADE52 52F794 00EFDE 737373 000000 000000 "
            "FFFFFF A5E7FF B5B5F7 D6B5F7 F7B5F7 FFA5C6 EFCEAD FFE7AD FFDE7B D6F773 B5F7B5 B5F7D6 "
            "00FFFF F7D6F7 000000 000000 000000 000000")
                                      .split(' ');
        for (int index = 0; index < table.size(); ++index) // 0x40 and 0x41 are black
            QCOMPARE(QColor(NesColorToRgb(index)).name().mid(1).toUpper(), table[index]);
        QCOMPARE(NesColorToRgb(0xFF), qRgb(0, 0, 0));
    }

    // Every pixel of the block is painted, value 0 included, each value a 2 x 2 square, and
    // nothing outside the block.
    void decodesDoubledTwoPlaneTiles()
    {
        TileBuffer tile{};
        tile[0] = 0x80;            // plane 0 of row 0: value 1 at the left
        tile[9] = 0x80;            // plane 1 of row 1: value 2 at the left
        tile[3] = tile[11] = 0xFF; // both planes of row 3: 3 throughout
        tile[7] = 0x01;            // plane 0 of row 7: value 1 at the right
        const char *values[8] = {"10000000", "20000000", "00000000", "33333333", "00000000", "00000000", "00000000", "00000001"};
        const TilePalette palette = {qRgb(1, 1, 1), qRgb(2, 2, 2), qRgb(3, 3, 3), qRgb(4, 4, 4)};
        QImage target(40, 30, QImage::Format_RGB32);
        target.fill(qRgb(200, 100, 50));
        DecodeTilePixels(target, 16, 8, tile, palette);
        for (int y = 0; y < target.height(); ++y) {
            for (int x = 0; x < target.width(); ++x) {
                const QPoint at(x - 16, y - 8);
                const QRgb expected = QRect(0, 0, 16, 16).contains(at)
                                          ? palette[values[at.y() / 2][at.x() / 2] - '0']
                                          : qRgb(200, 100, 50);
                QVERIFY2(target.pixel(x, y) == expected, qPrintable(QStringLiteral("%1, %2").arg(x).arg(y)));
            }
        }
    }

    // Random tile bytes at offsets 0x5010..0x600F, so that a wrong, shifted or mirrored block
    // shows; the palette bytes at 5102..5105 between others.
    void sheetAndBackgroundAreBuiltFromTheTiles()
    {
        QRandomGenerator random(7);
        QByteArray tiles(4096, '\0');
        for (char &byte : tiles)
            byte = char(random.bounded(256));
        QTemporaryDir dir;
        const auto graphics = ReadRomGraphics(
            ImageBuilder().set(0x5011, tiles).set(5101, bytes({0x21, 0x0F, 0x30, 0x10, 0x00, 0x21})).write(dir));
        QVERIFY2(graphics.ok(), qPrintable(graphics.error()));
        const TilePalette palette{qRgb(0, 0, 0), qRgb(255, 255, 255), qRgb(189, 189, 189), qRgb(123, 123, 123)};
        QCOMPARE(graphics->TilePalette, palette);
        const auto block = [&](int tile) { return graphics->picGFX.copy(tile * 16, 0, 16, 16); };
        for (int tile = 0; tile < 256; ++tile) {
            QImage expected(16, 16, QImage::Format_RGB32);
            TileBuffer bytes{};
            std::copy_n(tiles.constData() + 16 * tile, 16, bytes.begin());
            DecodeTilePixels(expected, 0, 0, bytes, palette);
            QVERIFY2(block(tile) == expected, qPrintable(QString::number(tile)));
        }
        // Nine rows of sky, the band, then a black row.
        const QList<int> rowTiles = {252, 252, 252, 252, 252, 252, 252, 252, 252, 59, 60, 61, 59, 60, 61};
        QImage black(16, 16, QImage::Format_RGB32);
        black.fill(Qt::black);
        for (int row = 0; row < 16; ++row) {
            for (int x = 0; x < 512; x += 16)
                QVERIFY2(graphics->picBuffer.copy(x, row * 16, 16, 16) == (row < 15 ? block(rowTiles[row]) : black),
                         qPrintable(QStringLiteral("cell row %1, x %2").arg(row).arg(x)));
        }
    }
};

QTEST_GUILESS_MAIN(TestRom)
#include "tst_rom.moc"
