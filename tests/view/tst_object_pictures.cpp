#include "object_picture.h"
#include "object_widths.h"
#include "picture_images.h"
#include "strip_cells.h"

#include <QElapsedTimer>
#include <QTest>

#include <limits>

using namespace whoopline;
using namespace whoopline::testing;
using namespace whoopline::view;

class TestObjectPictures : public QObject
{
    Q_OBJECT

private slots:
    // Picture p has p + 1 column starts, so it is 16 x (p + 2) wide and its width names it. The
    // column start just before the stream would widen picture 0.
    void picturesAndWidthsFollowTheZeroBytes()
    {
        QList<QByteArray> records;
        for (int picture = 0; picture < PictureCount; ++picture)
            records.append(QByteArray(picture + 1, char(1)));
        QTemporaryDir dir;
        const QString path = withPictures(ImageBuilder().set(PictureStreamPosition - 1, 1), records).write(dir);
        const auto widths = ReadObjectWidthTable(path);
        QVERIFY2(widths.ok(), qPrintable(widths.error()));
        QCOMPARE(PictureStream::read(path)->record(1), bytes({1, 1, 0}));
        const QList<std::pair<int, int>> idAndPicture = {{0, 0}, {1, 1}, {3, 2}, {13, 11}, {14, 33}, {36, 0}, {49, 0}};
        for (auto [id, picture] : idAndPicture)
            QVERIFY2(widths->at(id) == 16 * (picture + 2), qPrintable(QStringLiteral("id %1").arg(id)));
    }

    void drawsBlocksColumnByColumn_data()
    {
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<qint64>("origin");
        QTest::addColumn<Blocks>("blocks");
        QTest::addColumn<qint64>("width");
        const auto row = [](const char *name, const QByteArray &record, qint64 origin, const Blocks &blocks,
                            qint64 width) { QTest::newRow(name) << record << origin << blocks << width; };
        row("columns from the origin", bytes({10, 40, 41, 12, 50, 0}), 32,
            {{32, 160, 40}, {32, 176, 41}, {48, 192, 50}}, 48);
        row("blocks before the first column", bytes({40, 41, 1, 42, 0}), 32,
            {{16, 0, 40}, {16, 16, 41}, {32, 16, 42}}, 32);
        row("empty record", bytes({0}), 0, {}, 16);
        row("ends at the first zero", bytes({1, 16, 0, 2, 41, 0}), 0, {{0, 16, 16}}, 32);
        row("block 255 and the column start 15", bytes({15, 255, 0}), 100, {{100, 240, 255}}, 32);
        row("cut at the right edge", bytes({1, 40, 2, 41, 3, 42, 0}), 504, {{504, 16, 40}}, 64);
        row("cut at the left edge", bytes({1, 40, 2, 41, 0}), -7, {{-7, 16, 40}, {9, 32, 41}}, 48);
        row("a column off the bottom", bytes({14, 40, 41, 42, 0}), 0, {{0, 224, 40}, {0, 240, 41}}, 32);
        row("origin just past the view", bytes({40, 1, 41, 0}), 512, {{496, 0, 40}, {512, 16, 41}}, 32);
        row("largest origin", bytes({1, 40, 0}), std::numeric_limits<qint64>::max(), {}, 32);
        row("smallest origin", bytes({1, 40, 0}), std::numeric_limits<qint64>::min(), {}, 32);
    }
    void drawsBlocksColumnByColumn()
    {
        QFETCH(QByteArray, record);
        QFETCH(qint64, origin);
        QFETCH(Blocks, blocks);
        QFETCH(qint64, width);
        const QImage sheet = pixelSheet();
        QImage target = backdrop();
        DrawObjectPicture(target, sheet, record, origin);
        QCOMPARE(target, painted(backdrop(), sheet, blocks));
        QCOMPARE(PictureWidth(record), width);
    }

    // Bytes past the read limit count as 0, so a stream without zeros still ends every walk, and a
    // record of a million column starts neither overflows nor takes long.
    void aStreamWithoutZerosEndsAndStaysFast()
    {
        QTemporaryDir dir;
        const qint64 length = PictureStreamReadLimit + 100'000;
        const QString path = ImageBuilder().fill(PictureStreamPosition, length, 1).write(dir);
        const QImage sheet = pixelSheet();
        QElapsedTimer timer;
        timer.start();
        const auto stream = PictureStream::read(path);
        QVERIFY2(stream.ok(), qPrintable(stream.error()));
        QCOMPARE(stream->record(0), QByteArray(PictureStreamReadLimit, char(1)) + '\0');
        const track::ObjectWidthTable widths = ComputeObjectWidthTable(*stream);
        QCOMPARE(widths[0], MaximumObjectWidth);
        QCOMPARE(widths[1], 16);
        QImage target = backdrop();
        for (int draw = 0; draw < 66; ++draw) // the most a redraw of the view can ask for
            DrawObjectPicture(target, sheet, stream->record(0), 16 * draw);
        QVERIFY2(timer.elapsed() < 5000, qPrintable(QStringLiteral("%1 ms").arg(timer.elapsed())));
        QCOMPARE(target, backdrop()); // column starts alone draw nothing
    }

    // The strip's cells must give exactly what drawing each picture in turn gives.
    void stripCellsDrawWhatDrawingInTurnDraws_data()
    {
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<QList<int>>("origins"); // first, last, step
        QTest::addColumn<QImage>("strip");
        QTest::addColumn<QImage>("sheet");
        // Columns of different heights, one reaching the bottom row of cells.
        const QByteArray columns = bytes({1, 40, 41, 42, 43, 2, 44, 45, 3, 46, 15, 47, 0});
        const QImage strip = backdrop(), sheet = pixelSheet();
        QTest::newRow("a span's copies over the same cells") << columns << QList{0, 528, 16} << strip << sheet;
        QTest::newRow("origins off the grid between others") << columns << QList{0, 32, 8} << strip << sheet;
        QTest::newRow("blocks left of the strip") << bytes({40, 41, 1, 42, 0}) << QList{-32, 16, 16} << strip << sheet;
        // Block 21 lies only half in this sheet, so it must not hide what is under its right half.
        QTest::newRow("a block reaching past the sheet")
            << bytes({1, 20, 21, 2, 21, 20, 0}) << QList{0, 32, 16} << strip << pixelSheet(21 * 16 + 8);
        // The last cells are cut at the right; nothing may spill into the next line's left edge.
        QTest::newRow("a strip that is not a multiple of 16")
            << columns << QList{16, 48, 16} << backdrop(QSize(40, 30)) << sheet;
        QTest::newRow("a strip in another format")
            << columns << QList{0, 96, 16} << backdrop(strip.size(), QImage::Format_RGB888) << sheet;
    }
    void stripCellsDrawWhatDrawingInTurnDraws()
    {
        QFETCH(QByteArray, record);
        QFETCH(QList<int>, origins);
        QFETCH(QImage, strip);
        QFETCH(QImage, sheet);
        QImage expected = strip.copy();
        StripCells cells(strip, sheet);
        for (int origin = origins[0]; origin <= origins[1]; origin += origins[2]) {
            DrawObjectPicture(expected, sheet, record, origin);
            cells.drawPicture(record, origin);
        }
        cells.finish();
        QCOMPARE(strip, expected);
    }
};

QTEST_GUILESS_MAIN(TestObjectPictures)
#include "tst_object_pictures.moc"
