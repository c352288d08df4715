#include "image_builder.h"
#include "nes_palette.h"
#include "rom_layout.h"
#include "tile.h"

#include <QTest>

using namespace whoopline;
using namespace whoopline::rom;
using namespace whoopline::testing;

namespace {

const TilePalette Slots = {qRgb(1, 1, 1), qRgb(2, 2, 2), qRgb(3, 3, 3), qRgb(4, 4, 4)};
const QRgb Untouched = qRgb(200, 100, 50);

TileBuffer tileWith(std::initializer_list<std::pair<int, int>> bytes)
{
    TileBuffer tile{};
    for (auto [index, value] : bytes)
        tile[index] = quint8(value);
    return tile;
}

} // namespace

class TestTiles : public QObject
{
    Q_OBJECT

private slots:
    void colourTable_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QRgb>("colour");
        QTest::newRow("0x00 grey") << 0x00 << qRgb(123, 123, 123);
        QTest::newRow("0x07 repeats 0x06") << 0x07 << qRgb(140, 16, 0);
        QTest::newRow("0x0D black") << 0x0D << qRgb(0, 0, 0);
        QTest::newRow("0x10 light grey") << 0x10 << qRgb(189, 189, 189);
        QTest::newRow("0x1A repeats 0x19") << 0x1A << qRgb(0, 173, 0);
        QTest::newRow("0x29") << 0x29 << qRgb(181, 147, 16);
        QTest::newRow("0x30 white") << 0x30 << qRgb(255, 255, 255);
        QTest::newRow("0x3D last colour") << 0x3D << qRgb(247, 214, 247);
        QTest::newRow("0x3F black") << 0x3F << qRgb(0, 0, 0);
        QTest::newRow("0x40 beyond the table") << 0x40 << qRgb(0, 0, 0);
        QTest::newRow("0xFF") << 0xFF << qRgb(0, 0, 0);
        QTest::newRow("negative") << -1 << qRgb(0, 0, 0);
        QTest::newRow("past a byte") << 0x130 << qRgb(0, 0, 0);
    }
    void colourTable()
    {
        QFETCH(int, index);
        QFETCH(QRgb, colour);
        QCOMPARE(NesColorToRgb(index), colour);
    }

    void binaryDigits_data()
    {
        QTest::addColumn<int>("byte");
        QTest::addColumn<QString>("digits");
        QTest::newRow("0") << 0 << "00000000";
        QTest::newRow("5") << 5 << "00000101";
        QTest::newRow("128") << 128 << "10000000";
        QTest::newRow("255") << 255 << "11111111";
    }
    void binaryDigits()
    {
        QFETCH(int, byte);
        QFETCH(QString, digits);
        QCOMPARE(ToBinaryString(quint8(byte)), digits);
    }

    // Each case names the one 2 x 2 square (tile column, tile row) that differs from the rest.
    void decodesDoubledTwoPlaneTiles_data()
    {
        QTest::addColumn<TileBuffer>("tile");
        QTest::addColumn<int>("restSlot");
        QTest::addColumn<QPoint>("square");
        QTest::addColumn<int>("squareSlot");
        QTest::newRow("all zero") << TileBuffer{} << 0 << QPoint(3, 5) << 0;
        TileBuffer full;
        full.fill(0xFF);
        QTest::newRow("all 0xFF") << full << 3 << QPoint(0, 0) << 3;
        QTest::newRow("plane 0 top-left") << tileWith({{0, 0x80}}) << 0 << QPoint(0, 0) << 1;
        QTest::newRow("plane 1 top-left") << tileWith({{8, 0x80}}) << 0 << QPoint(0, 0) << 2;
        QTest::newRow("plane 0 bottom-right") << tileWith({{7, 0x01}}) << 0 << QPoint(7, 7) << 1;
        QTest::newRow("both planes, row 2 column 4") << tileWith({{2, 0x08}, {10, 0x08}}) << 0 << QPoint(4, 2) << 3;
        TileBuffer allButOne = full;
        allButOne[14] = 0xFD; // plane 1, row 6, column 6 clear
        QTest::newRow("one pixel of value 1") << allButOne << 3 << QPoint(6, 6) << 1;
    }
    void decodesDoubledTwoPlaneTiles()
    {
        QFETCH(TileBuffer, tile);
        QFETCH(int, restSlot);
        QFETCH(QPoint, square);
        QFETCH(int, squareSlot);

        QImage target(40, 30, QImage::Format_RGB32);
        target.fill(Untouched);
        const int x0 = 16, y0 = 8;
        DecodeTilePixels(target, x0, y0, tile, Slots);

        for (int y = 0; y < target.height(); ++y) {
            for (int x = 0; x < target.width(); ++x) {
                const bool inBlock = x >= x0 && x < x0 + 16 && y >= y0 && y < y0 + 16;
                const bool inSquare = (x - x0) / 2 == square.x() && (y - y0) / 2 == square.y();
                const QRgb expected = !inBlock ? Untouched : Slots[inSquare ? squareSlot : restSlot];
                QVERIFY2(target.pixel(x, y) == expected, qPrintable(QStringLiteral("pixel %1, %2").arg(x).arg(y)));
            }
        }
    }

    void decodingClipsAtTheTargetsEdges()
    {
        QImage target(10, 10, QImage::Format_RGB32);
        target.fill(Untouched);
        TileBuffer full;
        full.fill(0xFF);
        DecodeTilePixels(target, -12, 6, full, Slots);
        QCOMPARE(target.pixel(3, 9), Slots[3]);
        QCOMPARE(target.pixel(4, 9), Untouched);
        QCOMPARE(target.pixel(3, 5), Untouched);
    }

    void readsOneTileAtAZeroBasedOffset()
    {
        QTemporaryDir dir;
        QByteArray bytes;
        for (int i = 0; i < 16; ++i)
            bytes.append(char(0xA0 + i));
        const QString path = ImageBuilder().setTile(7, bytes).write(dir);

        const auto tile = ReadTile(path, TileDataOffset + 7 * 16);
        QVERIFY2(tile.ok(), qPrintable(tile.error()));
        for (int i = 0; i < 16; ++i)
            QCOMPARE(int(tile->at(i)), 0xA0 + i);

        QVERIFY(!ReadTile(path, MinimumImageSize - 15).ok()); // one byte past the end
        QVERIFY(!ReadTile(path, -1).ok());
        const auto missing = ReadTile(dir.filePath("missing.nes"), 0);
        QVERIFY(!missing.ok());
        QVERIFY2(missing.error().contains("missing.nes"), qPrintable(missing.error()));
    }
};

QTEST_GUILESS_MAIN(TestTiles)
#include "tst_tiles.moc"
