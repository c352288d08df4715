#include "tile.h"

#include <QTest>

using namespace whoopline;
using namespace whoopline::rom;

class TestTiles : public QObject
{
    Q_OBJECT

private slots:
    // A block wholly inside an RGB32 picture is decoded row by row, any other pixel by pixel: both
    // must paint every pixel of the block, value 0 included, and nothing outside it.
    void decodesDoubledTwoPlaneTiles_data()
    {
        QTest::addColumn<QPoint>("corner");
        QTest::addColumn<QImage::Format>("format");
        QTest::newRow("inside") << QPoint(16, 8) << QImage::Format_RGB32;
        QTest::newRow("inside an ARGB32 picture") << QPoint(16, 8) << QImage::Format_ARGB32;
        QTest::newRow("cut at the left and top") << QPoint(-5, -3) << QImage::Format_RGB32;
        QTest::newRow("cut at the right and bottom") << QPoint(30, 20) << QImage::Format_RGB32;
        QTest::newRow("cut in an ARGB32 picture") << QPoint(-9, 20) << QImage::Format_ARGB32;
        QTest::newRow("wholly outside") << QPoint(40, 0) << QImage::Format_RGB32;
    }
    void decodesDoubledTwoPlaneTiles()
    {
        QFETCH(QPoint, corner);
        QFETCH(QImage::Format, format);
        TileBuffer tile{};
        tile[0] = 0x80;            // plane 0 of row 0: value 1 at the left
        tile[9] = 0x80;            // plane 1 of row 1: value 2 at the left
        tile[3] = tile[11] = 0xFF; // both planes of row 3: 3 throughout
        tile[7] = 0x01;            // plane 0 of row 7: value 1 at the right
        const char *values[8] = {"10000000", "20000000", "00000000", "33333333",
                                 "00000000", "00000000", "00000000", "00000001"};
        const TilePalette palette = {qRgb(1, 1, 1), qRgb(2, 2, 2), qRgb(3, 3, 3), qRgb(4, 4, 4)};
        const QRgb untouched = qRgb(200, 100, 50);
        QImage target(40, 30, format);
        target.fill(untouched);
        DecodeTilePixels(target, corner.x(), corner.y(), tile, palette);

        for (int y = 0; y < target.height(); ++y) {
            for (int x = 0; x < target.width(); ++x) {
                const QPoint at = QPoint(x, y) - corner; // in the block, each value a 2 x 2 square
                const QRgb expected = QRect(0, 0, 16, 16).contains(at)
                                          ? palette[values[at.y() / 2][at.x() / 2] - '0']
                                          : untouched;
                QVERIFY2(target.pixel(x, y) == expected,
                         qPrintable(QStringLiteral("pixel %1, %2").arg(x).arg(y)));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestTiles)
#include "tst_tiles.moc"
