#include "image_builder.h"
#include "track/track_codec.h"
#include "view/navigation.h"
#include "view/object_picture.h"
#include "view/object_widths.h"
#include "view/strip_cells.h"
#include "view/strip_layout.h"
#include "view/track_view.h"

#include <QPainter>
#include <QRandomGenerator>
#include <QTest>

using namespace whoopline;
using namespace whoopline::testing;
using namespace whoopline::view;

namespace {

// The picture of each object id 0..49, as the format fixes it.
constexpr int PictureOfId[50] = {0,  1,  2,  2,  3,  4,  5,  6,  7,  8,  9,  10, 12, 11, 33, 31, 32,
                                 27, 16, 17, 22, 13, 28, 29, 20, 18, 21, 19, 23, 30, 30, 24, 14, 15,
                                 25, 26, 0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0};

// A tile sheet in which every pixel differs from every other, so a copied block shows both
// which block it came from and whether it was shifted or cut wrongly.
QImage pixelSheet()
{
    QImage sheet(4096, 16, QImage::Format_RGB32);
    for (int x = 0; x < sheet.width(); ++x)
        for (int y = 0; y < 16; ++y)
            sheet.setPixel(x, y, qRgb(x / 16, (x % 16) * 16 + y, 77));
    return sheet;
}

QImage backdrop()
{
    QImage image(512, 256, QImage::Format_RGB32);
    image.fill(qRgb(9, 8, 7));
    return image;
}

using Blocks = QList<QList<int>>; // x, y, block
struct Drawn { QByteArray record; qint64 origin; Blocks blocks; qint64 width; };
struct Strip { QList<QByteArray> objects; int current; Blocks blocks; QString labels; };
struct Wheel { int current, notches; bool tenfold; int expected; };

// The backdrop as copying each block from the sheet, as a plain source copy, should leave it.
QImage painted(const QImage &sheet, const Blocks &blocks)
{
    QImage target = backdrop();
    QPainter painter(&target);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (const QList<int> &block : blocks)
        painter.drawImage(block[0], block[1], sheet, block[2] * 16, 0, 16, 16);
    return target;
}

} // namespace

Q_DECLARE_METATYPE(Drawn)
Q_DECLARE_METATYPE(Strip)
Q_DECLARE_METATYPE(Wheel)

class TestView : public QObject
{
    Q_OBJECT

private slots:
    // Picture p has p + 1 column starts, so it is 16 x (p + 2) wide and its width names it. The
    // column start just before the stream would widen picture 0.
    void widthsNameEachIdsPicture()
    {
        QList<QByteArray> records;
        for (int picture = 0; picture < 34; ++picture)
            records.append(QByteArray(picture + 1, char(1)));
        QTemporaryDir dir;
        const QString path = ImageBuilder().set(12475, bytes({1})).pictures(records).write(dir);
        const auto widths = ReadObjectWidthTable(path);
        QVERIFY2(widths.ok(), qPrintable(widths.error()));
        for (int id = 0; id < 50; ++id)
            QVERIFY2(widths->at(id) == 16 * (PictureOfId[id] + 2), qPrintable(QString::number(id)));
        // A span shows its base object's picture; the mark changes no picture.
        QList<int> pictures;
        for (int code : {0x40, 0x41, 0x42, 0x43, 0x44, 0x45, 0x46, 0x80 | 13, 50})
            pictures << pictureOfObject(code);
        QCOMPARE(pictures, QList({0, 14, 20, 21, 23, 25, 28, 11, -1}));
    }

    void drawsBlocksColumnByColumn_data()
    {
        QTest::addColumn<Drawn>("row");
        const auto row = [](const char *name, const QByteArray &record, qint64 origin, const Blocks &blocks,
                            qint64 width) { QTest::newRow(name) << Drawn{record, origin, blocks, width}; };
        row("columns from the origin", bytes({10, 40, 41, 12, 50, 0}), 32, {{32, 160, 40}, {32, 176, 41}, {48, 192, 50}}, 48);
        row("blocks before the first column", bytes({40, 41, 1, 42, 0}), 32, {{16, 0, 40}, {16, 16, 41}, {32, 16, 42}}, 32);
        row("empty record", bytes({0}), 0, {}, 16);
        row("ends at the first zero", bytes({1, 16, 0, 2, 41, 0}), 0, {{0, 16, 16}}, 32);
        row("block 255 and the column start 15", bytes({15, 255, 0}), 100, {{100, 240, 255}}, 32);
        row("cut at the right edge", bytes({1, 40, 2, 41, 3, 42, 0}), 504, {{504, 16, 40}}, 64);
        row("cut at the left edge", bytes({1, 40, 2, 41, 0}), -7, {{-7, 16, 40}, {9, 32, 41}}, 48);
        row("origin just past the view", bytes({40, 1, 41, 0}), 512, {{496, 0, 40}, {512, 16, 41}}, 32);
    }
    // A span's copies drawn at once give what drawing each copy in turn gives, over the strip or
    // over a background: pictures with gaps and rows outside the strip, on and off the grid, with
    // blocks past the sheet's end.
    void spanCopiesAreEachCopyInTurn()
    {
        QRandomGenerator random(11);
        const QImage full = pixelSheet(), narrow = full.copy(0, 0, 200 * 16, 16);
        QImage background(64, 128, QImage::Format_RGB32);
        for (int x = 0; x < 64; ++x)
            for (int y = 0; y < 128; ++y)
                background.setPixel(x, y, qRgb(x, y, 200));
        for (int trial = 0; trial < 400; ++trial) {
            QByteArray record;
            for (int i = 0, n = int(random.bounded(40)); i < n; ++i)
                record += char(random.bounded(4) == 0 ? random.bounded(1, 16) : random.bounded(16, 256));
            const QImage &sheet = trial % 3 ? full : narrow;
            const qint64 origin = random.bounded(4) ? 16 * random.bounded(-3, 40) : random.bounded(-40, 600);
            const int copies = int(random.bounded(1, 45)), rowOffset = trial % 5 == 0 ? 32 : 0;
            QImage expected(600, 128, QImage::Format_RGB32), drawn(600, 128, QImage::Format_RGB32);
            TileBackground(expected, background);
            StripCells inTurn(expected, sheet, rowOffset), atOnce(drawn, sheet, rowOffset, &background);
            for (int copy = 0; copy < copies; ++copy)
                inTurn.drawPicture(record + '\0', origin + 16 * copy);
            atOnce.drawCopies(record + '\0', origin, copies);
            inTurn.finish();
            atOnce.finish();
            QVERIFY2(drawn == expected, qPrintable(QString("trial %1: %2 at %3").arg(trial).arg(QString(record.toHex())).arg(origin)));
        }
    }
    void drawsBlocksColumnByColumn()
    {
        QFETCH(Drawn, row);
        const auto &[record, origin, blocks, width] = row;
        const QImage sheet = pixelSheet();
        QImage target = backdrop();
        DrawObjectPicture(target, sheet, record, origin);
        QCOMPARE(std::tuple(target, PictureWidth(record)), std::tuple(painted(sheet, blocks), width));
    }

    void stripShowsObjectsFromTheCurrentOne_data()
    {
        QTest::addColumn<Strip>("row");
        // Spans of length 0 except ids 1, 2, 4..8 at 5..8 and 37..39, whose pictures put block
        // 0x20 + row in the first of their two columns at row 1..7 (y 16..112), so that how far a
        // redraw reaches shows at once.
        QList<QByteArray> forty(40, bytes({0x40, 0}));
        const QList<int> placed = {5, 6, 7, 8, 37, 38, 39}, rowIds = {1, 2, 4, 5, 6, 7, 8};
        for (int i = 0; i < placed.size(); ++i)
            forty[placed[i]] = bytes({rowIds[i]});
        const auto rows = [](int first, int last) {
            Blocks blocks;
            for (int row = first; row <= last; ++row)
                blocks.append({32 * (row - first), 16 * row, 0x20 + row});
            return blocks;
        };
        QTest::newRow("objects 5..37") << Strip{forty, 5, rows(1, 5), "$01 \"\" unchecked 32"};
        QTest::newRow("a span of length 0 draws nothing") << Strip{forty, 9, rows(5, 7), "$40 \"0\" unchecked 0"};
        QTest::newRow("current at the last index") << Strip{forty, 39, rows(7, 7), "$08 \"\" unchecked 32"};
        QTest::newRow("width 48 (id 9), then span 0x41 of length 3, then the next")
            << Strip{{bytes({9}), bytes({0x41, 3}), bytes({1})}, 0,
                     {{0, 16, 0x30}, {48, 160, 0x32}, {64, 160, 0x32}, {80, 160, 0x32}, {96, 16, 0x21}}, "$09 \"\" unchecked 48"};
        QTest::newRow("marked objects draw their id's picture")
            << Strip{{bytes({0x9C}), bytes({0x80 | 1})}, 0, {{16, 16, 0x21}}, "$9C \"\" checked 16"};
        Blocks wholeView;
        for (int x = 0; x < 512; x += 16)
            wholeView.append({x, 160, 0x32});
        QTest::newRow("a picture starting at the right edge (id 10) reaches into view")
            << Strip{{bytes({0x41, 32}), bytes({10})}, 0, wholeView + Blocks{{496, 0, 0x33}}, "$41 \"32\" unchecked 512"};
        QTest::newRow("33 spans of length 255")
            << Strip{QList<QByteArray>(40, bytes({0x41, 255})), 3, wholeView, "$41 \"255\" unchecked 4080"};
    }
    void stripShowsObjectsFromTheCurrentOne()
    {
        QFETCH(Strip, row);
        const auto &[objects, current, blocks, labels] = row;
        QList<QByteArray> records(34);
        records[0] = bytes({11, 0x31});  // a span 0x40 would repeat it at y 176
        records[14] = bytes({10, 0x32}); // span 0x41 repeats it at y 160
        const QList<int> rowIds = {1, 2, 4, 5, 6, 7, 8};
        for (int row = 1; row <= rowIds.size(); ++row)
            records[PictureOfId[rowIds[row - 1]]] = bytes({row, 0x20 + row});
        records[PictureOfId[9]] = bytes({1, 0x30, 2});
        records[PictureOfId[10]] = bytes({0x33}); // 16 wide, block 0x33 at (x - 16, 0)
        QTemporaryDir dir;
        const QString path = ImageBuilder().pictures(records).write(dir);
        const auto widths = ReadObjectWidthTable(path);
        QVERIFY2(widths.ok(), qPrintable(widths.error()));
        track::TrackModel model;
        for (const QByteArray &objectBytes : objects)
            model.TrackObjects.append(track::MakeTrackObject(objectBytes, *widths));
        model.CurrentObject = current;
        const QImage sheet = pixelSheet();
        const TrackView view = RenderTrackView(model, backdrop(), sheet, path);
        QCOMPARE(view.strip, painted(sheet, blocks));
        // The labels in one line: the object byte, the length, the box and the marker width.
        QCOMPARE(QStringLiteral("%1 \"%2\" %3 %4")
                     .arg(view.currentObjectText, view.lengthText, view.alternative ? "checked" : "unchecked")
                     .arg(view.markerWidth), labels);
    }
    // The current object at x 0, each next one after the room of the one before, 33 at most; a
    // span takes whole 16-pixel blocks only, so one 40 wide takes 32.
    void stripPlacesTheObjects()
    {
        const auto one = [](int byte, int width) {
            return track::TrackObject{1, QByteArray(1, char(byte)), width, false};
        };
        const track::TrackObject span4{2, QByteArray("\x40\x04", 2), 64, false}, span3{2, QByteArray("\x41\x03", 2), 40, false};
        const track::TrackModel mixed{{one(0x17, 32), span4, span3, one(0x05, 144)}, 3, 0};
        const track::TrackModel forty{track::TrackObjectList(40, one(0x0C, 16)), 4, 0};
        QList<int> found;
        for (int x : {-1, 0, 31, 32, 95, 96, 128, 271, 272})
            found << ObjectAtStripX(mixed, x);
        found << ObjectAtStripX(forty, 527) << ObjectAtStripX(forty, 528);
        QCOMPARE(found, QList({-1, 0, 0, 1, 1, 2, 3, 3, -1, 32, -1}));
    }

    // Last index 39; a notch is a press of "<" or ">", with Shift of "<<" or ">>".
    void wheelStepsByTheButtons_data()
    {
        QTest::addColumn<Wheel>("row");
        QTest::newRow("one forward") << Wheel{5, 1, false, 6};
        QTest::newRow("three back") << Wheel{5, -3, false, 2};
        QTest::newRow("stops at the end") << Wheel{38, 3, false, 39};
        QTest::newRow("ten, then not past the end") << Wheel{25, 2, true, 35};
        QTest::newRow("ten back") << Wheel{15, -1, true, 5};
    }
    void wheelStepsByTheButtons()
    {
        QFETCH(Wheel, row);
        QCOMPARE(WheelStep(row.current, 39, row.notches, row.tenfold), row.expected);
        WheelNotches wheel;
        QList<int> taken;
        for (int delta : {60, 60, 50, -290, 120})
            taken << wheel.take(delta);
        QCOMPARE(taken, QList({0, 1, 0, -2, 1}));
    }
};

QTEST_GUILESS_MAIN(TestView)
#include "tst_view.moc"
