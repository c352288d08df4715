#include "image_builder.h"
#include "object_picture.h"
#include "object_widths.h"
#include "picture_images.h"
#include "picture_stream.h"

#include <QElapsedTimer>
#include <QTest>

#include <limits>

using namespace whoopline;
using namespace whoopline::testing;
using namespace whoopline::view;

namespace {

const QRgb Backdrop = qRgb(1, 2, 3);

// A file that holds the image's first bytes and then `fill` from the stream's start on, with no
// zero byte, well past the read limit.
QString streamWithoutZeros(const QTemporaryDir &dir, char fill)
{
    QByteArray content = ImageBuilder().bytes();
    content.resize(offsetOf(PictureStreamPosition) + PictureStreamReadLimit + 100'000);
    std::fill(content.begin() + offsetOf(PictureStreamPosition), content.end(), fill);
    return writeFile(dir, "endless.nes", content);
}

} // namespace

class TestObjectPictures : public QObject
{
    Q_OBJECT

private slots:
    void findsRecordsByTheirZeroBytes()
    {
        QTemporaryDir dir;
        ImageBuilder image;
        putPictureStream(image, {bytes({0x20, 0x21}), bytes({3, 0x30}), {}});
        image.set(PictureStreamPosition - 1, 0x55); // the byte before the stream is no part of it
        const auto stream = PictureStream::read(image.write(dir));
        QVERIFY2(stream.ok(), qPrintable(stream.error()));
        QCOMPARE(stream->record(0), bytes({0x20, 0x21, 0}));
        QCOMPARE(stream->record(1), bytes({3, 0x30, 0}));
        QCOMPARE(stream->record(2), bytes({0}));
        QCOMPARE(stream->record(34), QByteArray());

        // A file that ends inside record 1: the missing bytes read as 0.
        const QByteArray start = ImageBuilder().bytes().left(offsetOf(PictureStreamPosition));
        const auto cut = PictureStream::read(writeFile(dir, "cut.nes", start + bytes({0x20, 0, 0x30, 0x31})));
        QVERIFY2(cut.ok(), qPrintable(cut.error()));
        QCOMPARE(cut->record(1), bytes({0x30, 0x31, 0}));
        QCOMPARE(cut->record(33), bytes({0}));

        const auto missing = PictureStream::read(dir.filePath("gone.nes"));
        QVERIFY2(!missing.ok() && missing.error().contains("\u201Cgone.nes\u201D"), qPrintable(missing.error()));
    }

    void widthCountsColumnStartsAndTheFinalZero_data()
    {
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<qint64>("width");
        QTest::newRow("two columns") << bytes({10, 40, 41, 12, 50, 0}) << qint64(48);
        QTest::newRow("three column starts") << bytes({1, 20, 2, 21, 3, 22, 0}) << qint64(64);
        QTest::newRow("only the final zero") << bytes({0}) << qint64(16);
        QTest::newRow("blocks before any column") << bytes({20, 21, 0}) << qint64(16);
        QTest::newRow("stops at the first zero") << bytes({1, 0, 2, 3, 0}) << qint64(32);
        QTest::newRow("missing final zero is implied") << bytes({1, 20}) << qint64(32);
    }
    void widthCountsColumnStartsAndTheFinalZero()
    {
        QFETCH(QByteArray, record);
        QFETCH(qint64, width);
        QCOMPARE(PictureWidth(record), width);
    }

    void widthTableFollowsThePictureOfEachId()
    {
        // Picture p has p column starts, so it is 16 x (p + 1) wide and its width names it.
        QList<QByteArray> records;
        for (int picture = 0; picture < PictureCount; ++picture)
            records.append(QByteArray(picture, char(1)));
        QTemporaryDir dir;
        ImageBuilder image;
        const auto widths = ReadObjectWidthTable(putPictureStream(image, records).write(dir));
        QVERIFY2(widths.ok(), qPrintable(widths.error()));

        const QList<std::pair<int, int>> idAndPicture = {{0, 0},   {1, 1},   {2, 2},   {3, 2},   {12, 12},
                                                         {13, 11}, {14, 33}, {20, 22}, {29, 30}, {30, 30},
                                                         {32, 14}, {35, 26}, {36, 0},  {49, 0}};
        for (auto [id, picture] : idAndPicture)
            QVERIFY2(widths->at(id) == 16 * (picture + 1), qPrintable(QStringLiteral("id %1").arg(id)));
    }

    void drawsBlocksColumnByColumn_data()
    {
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<qint64>("origin");
        QTest::addColumn<QList<QList<int>>>("blocks"); // x, y, block

        QTest::newRow("columns from the origin")
            << bytes({10, 40, 41, 12, 50, 0}) << qint64(32) << QList<QList<int>>{{32, 160, 40}, {32, 176, 41}, {48, 192, 50}};
        QTest::newRow("blocks before the first column")
            << bytes({40, 41, 1, 42, 0}) << qint64(32) << QList<QList<int>>{{16, 0, 40}, {16, 16, 41}, {32, 16, 42}};
        QTest::newRow("ends at the first zero")
            << bytes({1, 40, 0, 2, 41, 0}) << qint64(0) << QList<QList<int>>{{0, 16, 40}};
        QTest::newRow("block 255 and the column start 15")
            << bytes({15, 255, 0}) << qint64(100) << QList<QList<int>>{{100, 240, 255}};
        QTest::newRow("cut at the right edge")
            << bytes({1, 40, 2, 41, 0}) << qint64(504) << QList<QList<int>>{{504, 16, 40}, {520, 32, 41}};
        QTest::newRow("cut at the left edge")
            << bytes({1, 40, 2, 41, 0}) << qint64(-7) << QList<QList<int>>{{-7, 16, 40}, {9, 32, 41}};
        QTest::newRow("a column running off the bottom")
            << bytes({14, 40, 41, 42, 0}) << qint64(0) << QList<QList<int>>{{0, 224, 40}, {0, 240, 41}, {0, 256, 42}};
        QTest::newRow("origin just past the view")
            << bytes({40, 1, 41, 0}) << qint64(512) << QList<QList<int>>{{496, 0, 40}, {512, 16, 41}};
        QTest::newRow("largest origin") << bytes({1, 40, 0}) << std::numeric_limits<qint64>::max() << QList<QList<int>>{};
        QTest::newRow("smallest origin") << bytes({1, 40, 0}) << std::numeric_limits<qint64>::min() << QList<QList<int>>{};
    }
    void drawsBlocksColumnByColumn()
    {
        QFETCH(QByteArray, record);
        QFETCH(qint64, origin);
        QFETCH(QList<QList<int>>, blocks);
        const QImage sheet = pixelSheet();
        QImage target(512, 256, QImage::Format_RGB32);
        target.fill(Backdrop);
        QImage expected = target;
        for (const QList<int> &block : blocks)
            paintBlock(expected, block[0], block[1], sheet, block[2]);

        DrawObjectPicture(target, sheet, record, origin);
        QCOMPARE(target, expected);
    }

    void aStreamWithoutZerosEndsAndStaysFast_data()
    {
        QTest::addColumn<char>("fill");
        QTest::addColumn<int>("widthOfId0");
        QTest::newRow("all column starts") << char(1) << MaximumObjectWidth;
        QTest::newRow("all blocks") << char(0x20) << 16;
    }
    void aStreamWithoutZerosEndsAndStaysFast()
    {
        QFETCH(char, fill);
        QFETCH(int, widthOfId0);
        QTemporaryDir dir;
        const QString path = streamWithoutZeros(dir, fill);
        QElapsedTimer timer;
        timer.start();

        const auto stream = PictureStream::read(path);
        QVERIFY2(stream.ok(), qPrintable(stream.error()));
        QCOMPARE(stream->record(0).size(), PictureStreamReadLimit + 1);
        QCOMPARE(stream->record(0).back(), '\0');
        QCOMPARE(stream->record(1), bytes({0}));

        const track::ObjectWidthTable widths = ComputeObjectWidthTable(*stream);
        QCOMPARE(widths[0], widthOfId0);
        QCOMPARE(widths[1], 16);

        const QImage sheet = pixelSheet();
        QImage target(512, 256, QImage::Format_RGB32);
        for (int draw = 0; draw < 66; ++draw) // the most a redraw of the view can ask for
            DrawObjectPicture(target, sheet, stream->record(0), 16 * draw);
        QVERIFY2(timer.elapsed() < 5000, qPrintable(QStringLiteral("%1 ms").arg(timer.elapsed())));
    }
};

QTEST_GUILESS_MAIN(TestObjectPictures)
#include "tst_object_pictures.moc"
