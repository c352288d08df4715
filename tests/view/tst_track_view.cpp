#include "image_builder.h"
#include "open_image.h"
#include "picture_images.h"
#include "track_codec.h"
#include "track_view.h"

#include <QElapsedTimer>
#include <QTest>

using namespace whoopline;
using namespace whoopline::testing;
using namespace whoopline::view;

namespace {

// Solid tiles in three colours; every other tile, the background's included, is pixel value 0.
constexpr int White = 0x20, Red = 0x21, Green = 0x22;

// One-byte ids whose pictures put a white block in their first column at row 1..7 (y 16..112);
// each of them is 32 pixels wide.
const QList<int> RowIds = {1, 2, 4, 5, 6, 7, 8};
constexpr int WideId = 9;     // 48 wide: a red block at (x, 16), then an empty column
constexpr int LeadingId = 10; // 16 wide: a green block at (x - 16, 0)

ImageBuilder viewImage()
{
    ImageBuilder image;
    image.set(rom::PalettePosition, {0x21, 0x30, 0x16, 0x1A});
    image.setSolidTile(White, 1).setSolidTile(Red, 2).setSolidTile(Green, 3);
    QList<QByteArray> records(PictureCount, QByteArray());
    records[0] = bytes({11, Red});    // span 0x40 repeats it at y 176
    records[14] = bytes({10, Green}); // span 0x41 repeats it at y 160
    for (int row = 1; row <= RowIds.size(); ++row)
        records[PictureIndexTable[RowIds[row - 1]]] = bytes({row, White});
    records[PictureIndexTable[WideId]] = bytes({1, Red, 2});
    records[PictureIndexTable[LeadingId]] = bytes({Green});
    return putPictureStream(image, records);
}

track::TrackModel modelOf(const QList<QByteArray> &objects, int current, const track::ObjectWidthTable &widths)
{
    track::TrackModel model;
    for (const QByteArray &objectBytes : objects)
        model.TrackObjects.append(track::MakeTrackObject(objectBytes, widths));
    model.CurrentObject = current;
    return model;
}

// Forty objects, all spans of length 0 except the row pictures at 5, 6, 7, 8 (rows 1..4) and
// 37, 38, 39 (rows 5..7), so that how far a redraw reaches shows at once.
QList<QByteArray> fortyObjects()
{
    QList<QByteArray> objects(40, bytes({0x40, 0}));
    const QList<int> placed = {5, 6, 7, 8, 37, 38, 39};
    for (int i = 0; i < placed.size(); ++i)
        objects[placed[i]] = bytes({RowIds[i]});
    return objects;
}

QList<QList<int>> rowBlocks(std::initializer_list<int> rows)
{
    QList<QList<int>> blocks;
    int x = 0;
    for (int row : rows) {
        blocks.append({x, 16 * row, White});
        x += 32;
    }
    return blocks;
}

struct OpenedViewImage
{
    OpenedViewImage() : path(viewImage().write(dir)), opened(*OpenImage(path)) {}
    QTemporaryDir dir;
    QString path;
    OpenedImage opened;
};

} // namespace

class TestTrackView : public QObject
{
    Q_OBJECT

private slots:
    void stripShowsObjectsFromTheCurrentOne_data()
    {
        QTest::addColumn<QList<QByteArray>>("objects");
        QTest::addColumn<int>("current");
        QTest::addColumn<QList<QList<int>>>("blocks"); // x, y, tile

        QTest::newRow("objects 5..37") << fortyObjects() << 5 << rowBlocks({1, 2, 3, 4, 5});
        QTest::newRow("objects 6..38") << fortyObjects() << 6 << rowBlocks({2, 3, 4, 5, 6});
        QTest::newRow("objects 7..39") << fortyObjects() << 7 << rowBlocks({3, 4, 5, 6, 7});
        QTest::newRow("objects 8..39") << fortyObjects() << 8 << rowBlocks({4, 5, 6, 7});
        QTest::newRow("current at the last index") << fortyObjects() << 39 << rowBlocks({7});
        QTest::newRow("width 48, then the next object at 48")
            << QList<QByteArray>{bytes({WideId}), bytes({1})} << 0 << QList<QList<int>>{{0, 16, Red}, {48, 16, White}};
        QTest::newRow("span 0x41 of length 3")
            << QList<QByteArray>{bytes({0x41, 3}), bytes({1})} << 0
            << QList<QList<int>>{{0, 160, Green}, {16, 160, Green}, {32, 160, Green}, {48, 16, White}};
        QTest::newRow("span of length 0 draws nothing")
            << QList<QByteArray>{bytes({0x40, 0}), bytes({1})} << 0 << QList<QList<int>>{{0, 16, White}};
        QTest::newRow("alternative objects draw their id's picture")
            << QList<QByteArray>{bytes({0x80 | 1}), bytes({0x80 | 2})} << 0 << rowBlocks({1, 2});
        QTest::newRow("a picture reaching left of its origin")
            << QList<QByteArray>{bytes({1}), bytes({LeadingId})} << 0 << QList<QList<int>>{{0, 16, White}, {16, 0, Green}};
        QList<QList<int>> longSpan;
        for (int x = 0; x < 512; x += 16)
            longSpan.append({x, 160, Green});
        QTest::newRow("a long span hides what follows")
            << QList<QByteArray>{bytes({0x41, 40}), bytes({1})} << 0 << longSpan;
        QTest::newRow("a picture starting at the right edge reaches into view")
            << QList<QByteArray>{bytes({0x41, 32}), bytes({LeadingId})} << 0
            << QList<QList<int>>(longSpan) + QList<QList<int>>{{496, 0, Green}};
        QTest::newRow("33 spans of length 255")
            << QList<QByteArray>(40, bytes({0x41, 255})) << 3 << longSpan;
    }
    void stripShowsObjectsFromTheCurrentOne()
    {
        QFETCH(QList<QByteArray>, objects);
        QFETCH(int, current);
        QFETCH(QList<QList<int>>, blocks);
        const OpenedViewImage image;
        const rom::RomGraphics &graphics = image.opened.graphics;
        QImage expected = graphics.picBuffer;
        for (const QList<int> &block : blocks)
            paintBlock(expected, block[0], block[1], graphics.picGFX, block[2]);

        QElapsedTimer timer;
        timer.start();
        const TrackView view = RenderTrackView(modelOf(objects, current, image.opened.ObjectWidthTable),
                                               graphics.picBuffer, graphics.picGFX, image.path);
        QVERIFY2(timer.elapsed() < 2000, qPrintable(QStringLiteral("%1 ms").arg(timer.elapsed())));
        QCOMPARE(view.strip, expected);
    }

    void labelsDescribeTheCurrentObject_data()
    {
        QTest::addColumn<QByteArray>("object");
        QTest::addColumn<QString>("byteText");
        QTest::addColumn<QString>("lengthText");
        QTest::addColumn<bool>("alternative");
        QTest::addColumn<int>("markerWidth");
        QTest::newRow("one-byte 0x05") << bytes({0x05}) << "$05" << "" << false << 32;
        QTest::newRow("alternative 0x9C") << bytes({0x9C}) << "$9C" << "" << true << 16;
        QTest::newRow("id 0") << bytes({0x00}) << "$00" << "" << false << 32;
        QTest::newRow("span 0x40 of length 10") << bytes({0x40, 10}) << "$40" << "10" << false << 160;
        QTest::newRow("span of length 0") << bytes({0x43, 0}) << "$43" << "0" << false << 0;
        QTest::newRow("span of length 255") << bytes({0x46, 255}) << "$46" << "255" << false << 4080;
    }
    void labelsDescribeTheCurrentObject()
    {
        QFETCH(QByteArray, object);
        QFETCH(QString, byteText);
        QFETCH(QString, lengthText);
        QFETCH(bool, alternative);
        QFETCH(int, markerWidth);
        const OpenedViewImage image;
        const auto &graphics = image.opened.graphics;
        const track::TrackModel model = modelOf({bytes({1}), object}, 1, image.opened.ObjectWidthTable);
        const TrackView view = RenderTrackView(model, graphics.picBuffer, graphics.picGFX, image.path);
        QCOMPARE(view.currentObjectText, byteText);
        QCOMPARE(view.lengthText, lengthText);
        QCOMPARE(view.alternative, alternative);
        QCOMPARE(view.markerWidth, markerWidth);
    }

    void anUnreadableStreamLeavesTheBackground()
    {
        const OpenedViewImage image;
        const auto &graphics = image.opened.graphics;
        const track::TrackModel model = modelOf({bytes({0x85}), bytes({1})}, 0, image.opened.ObjectWidthTable);
        QVERIFY(QFile::remove(image.path));
        const TrackView view = RenderTrackView(model, graphics.picBuffer, graphics.picGFX, image.path);
        QCOMPARE(view.strip, graphics.picBuffer);
        QCOMPARE(view.currentObjectText, QStringLiteral("$85"));
        QVERIFY(view.alternative);
    }

    void noTrackLoadedShowsTheBareBackground()
    {
        const OpenedViewImage image;
        const auto &graphics = image.opened.graphics;
        const TrackView view = RenderTrackView(track::TrackModel{}, graphics.picBuffer, graphics.picGFX, image.path);
        QCOMPARE(view.strip, graphics.picBuffer);
        QCOMPARE(view.currentObjectText, QString());
        QCOMPARE(view.markerWidth, 0);
    }
};

QTEST_GUILESS_MAIN(TestTrackView)
#include "tst_track_view.moc"
