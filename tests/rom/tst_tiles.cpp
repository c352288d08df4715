#include "image_builder.h"
#include "rom_layout.h"
#include "tile.h"

#include <QTest>

using namespace whoopline;
using namespace whoopline::rom;
using namespace whoopline::testing;

class TestTiles : public QObject
{
    Q_OBJECT

private slots:
    void binaryDigits()
    {
        QCOMPARE(ToBinaryString(0), QStringLiteral("00000000"));
        QCOMPARE(ToBinaryString(5), QStringLiteral("00000101"));
        QCOMPARE(ToBinaryString(128), QStringLiteral("10000000"));
        QCOMPARE(ToBinaryString(255), QStringLiteral("11111111"));
    }

    // Each case names the one 2 x 2 square (tile column, row) whose slot differs from the rest.
    void decodesDoubledTwoPlaneTiles_data()
    {
        QTest::addColumn<QList<int>>("indexValue"); // pairs: byte index, value
        QTest::addColumn<int>("restSlot");
        QTest::addColumn<QPoint>("square");
        QTest::addColumn<int>("squareSlot");
        QList<int> full;
        for (int i = 0; i < 16; ++i)
            full << i << 0xFF;
        QTest::newRow("all zero") << QList<int>{} << 0 << QPoint(3, 5) << 0;
        QTest::newRow("all 0xFF") << full << 3 << QPoint(0, 0) << 3;
        QTest::newRow("plane 0 top-left") << QList<int>{0, 0x80} << 0 << QPoint(0, 0) << 1;
        QTest::newRow("plane 1 top-left") << QList<int>{8, 0x80} << 0 << QPoint(0, 0) << 2;
        QTest::newRow("plane 0 bottom-right") << QList<int>{7, 0x01} << 0 << QPoint(7, 7) << 1;
        QTest::newRow("one value 1 among 3s") << full + QList<int>{14, 0xFD} << 3 << QPoint(6, 6) << 1;
    }
    void decodesDoubledTwoPlaneTiles()
    {
        QFETCH(QList<int>, indexValue);
        QFETCH(int, restSlot);
        QFETCH(QPoint, square);
        QFETCH(int, squareSlot);
        TileBuffer tile{};
        for (int i = 0; i + 1 < indexValue.size(); i += 2)
            tile[indexValue[i]] = quint8(indexValue[i + 1]);
        const TilePalette palette = {qRgb(1, 1, 1), qRgb(2, 2, 2), qRgb(3, 3, 3), qRgb(4, 4, 4)};
        const QRgb untouched = qRgb(200, 100, 50);
        QImage target(40, 30, QImage::Format_RGB32);
        target.fill(untouched);
        DecodeTilePixels(target, 16, 8, tile, palette);

        for (int y = 0; y < target.height(); ++y) {
            for (int x = 0; x < target.width(); ++x) {
                const bool inBlock = x >= 16 && x < 32 && y >= 8 && y < 24;
                const bool inSquare = (x - 16) / 2 == square.x() && (y - 8) / 2 == square.y();
                const QRgb expected = !inBlock ? untouched : palette[inSquare ? squareSlot : restSlot];
                QVERIFY2(target.pixel(x, y) == expected, qPrintable(QStringLiteral("pixel %1, %2").arg(x).arg(y)));
            }
        }
    }

    // Wherever the block lies and whatever the picture's format, each pixel it covers gets the
    // colour the block has when decoded whole into an RGB32 picture, and nothing else changes.
    void decodesTheSameWhereverItLies_data()
    {
        QTest::addColumn<QPoint>("corner");
        QTest::addColumn<QImage::Format>("format");
        QTest::newRow("inside") << QPoint(16, 8) << QImage::Format_RGB32;
        QTest::newRow("cut at the left and top") << QPoint(-5, -3) << QImage::Format_RGB32;
        QTest::newRow("cut at the right and bottom") << QPoint(30, 20) << QImage::Format_RGB32;
        QTest::newRow("wholly outside") << QPoint(40, 0) << QImage::Format_RGB32;
        QTest::newRow("inside an ARGB32 picture") << QPoint(16, 8) << QImage::Format_ARGB32;
        QTest::newRow("cut in an ARGB32 picture") << QPoint(-9, 25) << QImage::Format_ARGB32;
    }
    void decodesTheSameWhereverItLies()
    {
        QFETCH(QPoint, corner);
        QFETCH(QImage::Format, format);
        TileBuffer tile{};
        for (int i = 0; i < 16; ++i)
            tile[i] = quint8(0x3C ^ (i * 37));
        const TilePalette palette = {qRgb(10, 20, 30), qRgb(40, 50, 60), qRgb(70, 80, 90), qRgb(100, 110, 120)};
        QImage whole(BlockSize, BlockSize, QImage::Format_RGB32);
        DecodeTilePixels(whole, 0, 0, tile, palette);

        const QRgb untouched = qRgb(200, 100, 50);
        QImage target(40, 30, format);
        target.fill(untouched);
        DecodeTilePixels(target, corner.x(), corner.y(), tile, palette);
        for (int y = 0; y < target.height(); ++y) {
            for (int x = 0; x < target.width(); ++x) {
                const QPoint inBlock = QPoint(x, y) - corner;
                const bool covered = QRect(0, 0, BlockSize, BlockSize).contains(inBlock);
                const QRgb expected = covered ? whole.pixel(inBlock) : untouched;
                QVERIFY2(target.pixel(x, y) == expected, qPrintable(QStringLiteral("pixel %1, %2").arg(x).arg(y)));
            }
        }
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
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(tile->data()), 16), bytes);

        QVERIFY(!ReadTile(path, MinimumImageSize - 15).ok()); // its last byte is past the end
        QVERIFY(!ReadTile(path, -1).ok());
        const auto missing = ReadTile(dir.filePath("missing.nes"), 0);
        QVERIFY2(!missing.ok() && missing.error().contains("missing.nes"), qPrintable(missing.error()));
    }
};

QTEST_GUILESS_MAIN(TestTiles)
#include "tst_tiles.moc"
