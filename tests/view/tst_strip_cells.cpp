#include "object_picture.h"
#include "picture_images.h"
#include "strip_cells.h"

#include <QTest>

using namespace whoopline;
using namespace whoopline::testing;
using namespace whoopline::view;

namespace {

// 40 full-height columns: every drawing covers everything right of its origin, as the widest
// pictures do.
QByteArray fullColumns()
{
    QByteArray record;
    for (int column = 0; column < 40; ++column) {
        record.append(char(1));
        for (int row = 1; row < 16; ++row)
            record.append(char(16 + (column * 7 + row) % 240));
    }
    record.append('\0');
    return record;
}

QList<int> every16(int from, int to)
{
    QList<int> origins;
    for (int x = from; x <= to; x += 16)
        origins.append(x);
    return origins;
}

} // namespace

// The cells must give exactly what drawing each picture with DrawObjectPicture in turn gives.
class TestStripCells : public QObject
{
    Q_OBJECT

private slots:
    void drawsWhatDrawingInTurnDraws_data()
    {
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<QList<int>>("origins");
        QTest::addColumn<QSize>("stripSize");
        QTest::addColumn<QImage::Format>("stripFormat");
        QTest::addColumn<int>("sheetWidth");
        QTest::addColumn<bool>("finishHalfway");

        const QSize view(512, 256);
        const auto rgb = QImage::Format_RGB32;
        const QByteArray columns = bytes({1, 40, 41, 42, 43, 2, 44, 45, 3, 46, 0});
        QTest::newRow("a span's copies over the same cells")
            << columns << every16(0, 528) << view << rgb << rom::SheetWidth << false;
        QTest::newRow("full-height columns from every origin")
            << fullColumns() << every16(0, 512) << view << rgb << rom::SheetWidth << false;
        QTest::newRow("origins off the grid between others")
            << columns << QList<int>{0, 8, 16, 24, 7, 32} << view << rgb << rom::SheetWidth << false;
        QTest::newRow("blocks left of the strip")
            << bytes({40, 41, 1, 42, 0}) << QList<int>{-32, -16, 0, 16} << view << rgb << rom::SheetWidth << false;
        // Block 21 lies only half in this sheet, so it must not hide what is under its right half.
        QTest::newRow("a block reaching past the sheet")
            << bytes({1, 20, 21, 2, 21, 20, 0}) << QList<int>{0, 16, 32} << view << rgb << 21 * 16 + 8 << false;
        // The last cells are cut at the right; nothing may spill into the next line's left edge.
        QTest::newRow("a strip that is not a multiple of 16")
            << columns << every16(16, 48) << QSize(40, 30) << rgb << rom::SheetWidth << false;
        QTest::newRow("a strip in another format")
            << columns << every16(0, 96) << view << QImage::Format_ARGB32 << rom::SheetWidth << false;
        QTest::newRow("drawing goes on after finish")
            << columns << every16(0, 160) << view << rgb << rom::SheetWidth << true;
    }
    void drawsWhatDrawingInTurnDraws()
    {
        QFETCH(QByteArray, record);
        QFETCH(QList<int>, origins);
        QFETCH(QSize, stripSize);
        QFETCH(QImage::Format, stripFormat);
        QFETCH(int, sheetWidth);
        QFETCH(bool, finishHalfway);
        const QImage sheet = pixelSheet().copy(0, 0, sheetWidth, rom::SheetHeight);
        QImage background(stripSize, stripFormat);
        background.fill(qRgb(9, 8, 7));

        QImage expected = background.copy();
        for (int origin : origins)
            DrawObjectPicture(expected, sheet, record, origin);

        QImage strip = background.copy();
        StripCells cells(strip, sheet);
        for (qsizetype i = 0; i < origins.size(); ++i) {
            cells.drawPicture(record, origins[i]);
            if (finishHalfway && i == origins.size() / 2)
                cells.finish();
        }
        cells.finish();
        QCOMPARE(strip, expected);
    }
};

QTEST_GUILESS_MAIN(TestStripCells)
#include "tst_strip_cells.moc"
