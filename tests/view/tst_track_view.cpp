#include "navigation.h"
#include "object_widths.h"
#include "picture_images.h"
#include "track_codec.h"
#include "track_view.h"

#include <QTest>

using namespace whoopline;
using namespace whoopline::testing;
using namespace whoopline::view;

namespace {

// One-byte ids whose pictures are 32 wide and put block 0x20 + row in their first column at row
// 1..7 (y 16..112). Id 3 is left out: it shares id 2's picture.
const QList<int> RowIds = {1, 2, 4, 5, 6, 7, 8};
constexpr int WideId = 9;     // 48 wide: block 0x30 at (x, 16), then an empty column
constexpr int LeadingId = 10; // 16 wide: block 0x33 at (x - 16, 0)

} // namespace

class TestTrackView : public QObject
{
    Q_OBJECT

private slots:
    void stripShowsObjectsFromTheCurrentOne_data()
    {
        QTest::addColumn<QList<QByteArray>>("objects");
        QTest::addColumn<int>("current");
        QTest::addColumn<Blocks>("blocks");
        QTest::addColumn<QString>("labels");
        // Spans of length 0 except the row pictures at 5..8 (rows 1..4) and 37..39 (rows 5..7),
        // so that how far a redraw reaches shows at once.
        QList<QByteArray> forty(40, bytes({0x40, 0}));
        const QList<int> placed = {5, 6, 7, 8, 37, 38, 39};
        for (int i = 0; i < placed.size(); ++i)
            forty[placed[i]] = bytes({RowIds[i]});
        const auto rows = [](int first, int last) {
            Blocks blocks;
            for (int row = first; row <= last; ++row)
                blocks.append({32 * (row - first), 16 * row, 0x20 + row});
            return blocks;
        };
        QTest::newRow("objects 5..37") << forty << 5 << rows(1, 5) << "$01 \"\" unchecked 32";
        QTest::newRow("objects 6..38") << forty << 6 << rows(2, 6) << "$02 \"\" unchecked 32";
        QTest::newRow("objects 7..39") << forty << 7 << rows(3, 7) << "$04 \"\" unchecked 32";
        QTest::newRow("objects 8..39") << forty << 8 << rows(4, 7) << "$05 \"\" unchecked 32";
        QTest::newRow("a span of length 0 draws nothing") << forty << 9 << rows(5, 7) << "$40 \"0\" unchecked 0";
        QTest::newRow("current at the last index") << forty << 39 << rows(7, 7) << "$08 \"\" unchecked 32";
        QTest::newRow("width 48, then span 0x41 of length 3, then the next")
            << QList<QByteArray>{bytes({WideId}), bytes({0x41, 3}), bytes({1})} << 0
            << Blocks{{0, 16, 0x30}, {48, 160, 0x32}, {64, 160, 0x32}, {80, 160, 0x32}, {96, 16, 0x21}}
            << "$09 \"\" unchecked 48";
        QTest::newRow("marked objects draw their id's picture")
            << QList<QByteArray>{bytes({0x9C}), bytes({0x80 | 1})} << 0 << Blocks{{16, 16, 0x21}}
            << "$9C \"\" checked 16";
        Blocks tenCopies = {{160, 16, 0x21}};
        for (int x = 0; x < 160; x += 16)
            tenCopies.append({x, 176, 0x31});
        QTest::newRow("span 0x40 of length 10")
            << QList<QByteArray>{bytes({0x40, 10}), bytes({1})} << 0 << tenCopies << "$40 \"10\" unchecked 160";
        Blocks wholeView;
        for (int x = 0; x < rom::ViewWidth; x += 16)
            wholeView.append({x, 160, 0x32});
        QTest::newRow("a picture starting at the right edge reaches into view")
            << QList<QByteArray>{bytes({0x41, 32}), bytes({LeadingId})} << 0 << wholeView + Blocks{{496, 0, 0x33}}
            << "$41 \"32\" unchecked 512";
        QTest::newRow("33 spans of length 255")
            << QList<QByteArray>(40, bytes({0x41, 255})) << 3 << wholeView << "$41 \"255\" unchecked 4080";
    }
    void stripShowsObjectsFromTheCurrentOne()
    {
        QFETCH(QList<QByteArray>, objects);
        QFETCH(int, current);
        QFETCH(Blocks, blocks);
        QFETCH(QString, labels);
        QList<QByteArray> records(PictureCount);
        records[0] = bytes({11, 0x31});  // span 0x40 repeats it at y 176
        records[14] = bytes({10, 0x32}); // span 0x41 repeats it at y 160
        for (int row = 1; row <= RowIds.size(); ++row)
            records[PictureIndexTable[RowIds[row - 1]]] = bytes({row, 0x20 + row});
        records[PictureIndexTable[WideId]] = bytes({1, 0x30, 2});
        records[PictureIndexTable[LeadingId]] = bytes({0x33});
        QTemporaryDir dir;
        const QString path = withPictures(ImageBuilder(), records).write(dir);
        const auto widths = ReadObjectWidthTable(path);
        QVERIFY2(widths.ok(), qPrintable(widths.error()));
        track::TrackModel model;
        for (const QByteArray &objectBytes : objects)
            model.TrackObjects.append(track::MakeTrackObject(objectBytes, *widths));
        model.CurrentObject = current;
        const QImage sheet = pixelSheet();
        const TrackView view = RenderTrackView(model, backdrop(), sheet, path);
        QCOMPARE(view.strip, painted(backdrop(), sheet, blocks));
        // The labels in one line: the object byte, the length, the box and the marker width.
        QCOMPARE(QStringLiteral("%1 \"%2\" %3 %4")
                     .arg(view.currentObjectText, view.lengthText, view.alternative ? "checked" : "unchecked")
                     .arg(view.markerWidth),
                 labels);
    }

    // A button whose whole step would leave the track does nothing; it is never shortened.
    void buttonsMoveByWholeStepsOnly_data()
    {
        QTest::addColumn<NavigationButton>("button");
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("last");
        QTest::addColumn<int>("expected");
        using B = NavigationButton;
        // {current, last, expected}; the last row of each button is a one-object track.
        const QList<std::pair<B, QList<QList<int>>>> cases = {
            {B::First, {{17, 39, 0}, {0, 0, 0}}},
            {B::Back10, {{10, 39, 0}, {9, 39, 9}, {0, 0, 0}}},
            {B::Back, {{1, 39, 0}, {0, 39, 0}, {0, 0, 0}}},
            {B::Forward, {{38, 39, 39}, {39, 39, 39}, {0, 0, 0}}},
            {B::Forward10, {{29, 39, 39}, {30, 39, 30}, {0, 10, 10}, {1, 10, 1}, {0, 0, 0}}},
            {B::Last, {{17, 39, 39}, {0, 0, 0}}}};
        const char *const names[] = {"|<", "<<", "<", ">", ">>", ">|"};
        for (const auto &[button, rows] : cases) {
            for (const QList<int> &r : rows)
                QTest::addRow("%s at %d of 0..%d", names[int(button)], r[0], r[1])
                    << button << r[0] << r[1] << r[2];
        }
    }
    void buttonsMoveByWholeStepsOnly()
    {
        QFETCH(NavigationButton, button);
        QFETCH(int, current);
        QFETCH(int, last);
        QFETCH(int, expected);
        QCOMPARE(Navigate(button, current, last), expected);
    }
};

QTEST_GUILESS_MAIN(TestTrackView)
#include "tst_track_view.moc"
