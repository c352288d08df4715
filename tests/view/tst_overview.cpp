#include "image_builder.h"
#include "track/track_codec.h"
#include "view/object_widths.h"
#include "view/strip_layout.h"
#include "view/track_overview.h"
#include "view/track_picture.h"
#include "view/track_png.h"
#include "view/track_view.h"

#include <QTest>

using namespace whoopline;
using namespace whoopline::testing;
using namespace whoopline::view;

namespace {

// Object 0 (id 1, 48 wide), 1 (id 1 marked), 2 (span 0x41 of length 2), 3 (id 5 marked, 32 wide)
// and 4 (span 0x41 of length 30): rooms 0..48, 48..96, 96..128, 128..160, 160..640.
struct Fixture
{
    QTemporaryDir dir;
    QString path;
    track::TrackObjectList objects;
    QImage sheet{4096, 16, QImage::Format_RGB32}, backdrop{512, 256, QImage::Format_RGB32};
    Fixture()
    {
        QList<QByteArray> records(34);
        records[1] = bytes({1, 0x21, 2, 0x22});
        records[4] = bytes({3, 0x23});
        records[14] = bytes({0x31, 0x36, 1, 0x32, 11, 0x33, 0x34, 10, 0x35}); // blocks left of the origin, three columns
        records[20] = bytes({12, 0x36}); // span 0x42, one column: reaches no neighbour
        path = ImageBuilder().pictures(records).write(dir);
        const auto widths = ReadObjectWidthTable(path);
        for (const QByteArray &object : {bytes({1}), bytes({0x81}), bytes({0x41, 2}), bytes({0x85}), bytes({0x41, 30})})
            objects.append(track::MakeTrackObject(object, *widths));
        for (int x = 0; x < 4096; ++x)
            for (int y = 0; y < 16; ++y)
                sheet.setPixel(x, y, qRgb(x / 16, (x % 16) * 16 + y, 77));
        for (int x = 0; x < 512; ++x)
            for (int y = 0; y < 256; ++y)
                backdrop.setPixel(x, y, qRgb(x / 2, y, 5));
    }
    TrackOverviewPicture overview(bool marked, int blockPixels = 2) const
    {
        return DrawTrackOverview(objects, backdrop, sheet, PictureStream::read(path).value(), marked, blockPixels);
    }
};

// Each scale x scale square of the picture as one pixel, its average rounded.
QImage reduced(const QImage &picture, int scale)
{
    const int n = 16 / scale;
    QImage out(picture.width() / n, picture.height() / n, QImage::Format_RGB32);
    for (int x = 0; x < out.width(); ++x)
        for (int y = 0; y < out.height(); ++y) {
            int sum[3] = {};
            for (int i = 0; i < n * n; ++i) {
                const QRgb p = picture.pixel(x * n + i % n, y * n + i / n);
                sum[0] += qRed(p), sum[1] += qGreen(p), sum[2] += qBlue(p);
            }
            const int h = n * n / 2;
            out.setPixel(x, y, qRgb((sum[0] + h) / (n * n), (sum[1] + h) / (n * n), (sum[2] + h) / (n * n)));
        }
    return out;
}

// The first and last columns of each run of columns in which the two pictures differ.
QList<int> differingColumns(const QImage &a, const QImage &b)
{
    QList<int> runs;
    for (int x = 0; x < a.width(); ++x) {
        bool differs = false;
        for (int y = 0; y < a.height() && !differs; ++y)
            differs = a.pixel(x, y) != b.pixel(x, y);
        if (differs && (runs.isEmpty() || runs.last() != x - 1))
            runs << x << x;
        else if (differs)
            runs.last() = x;
    }
    return runs;
}

} // namespace

class TestOverview : public QObject
{
    Q_OBJECT

private slots:
    void overviewIsTheTrackPictureReduced_data()
    {
        QTest::addColumn<int>("scale");
        QTest::newRow("full size") << 16;
        QTest::newRow("a quarter") << 4;
        QTest::newRow("an eighth") << 2;
    }
    void overviewIsTheTrackPictureReduced()
    {
        QFETCH(int, scale);
        const Fixture f;
        const auto full = DrawTrackPicture(f.objects, f.backdrop, f.sheet, f.path);
        QVERIFY(full.ok());
        const TrackOverviewPicture whole = f.overview(false, scale);
        QCOMPARE(whole.picture, reduced(*full, scale));
        // A part drawn alone is the same part of the whole, marks included.
        const auto part = DrawTrackOverview(f.objects, MakeOverviewTiles(f.backdrop, f.sheet, scale),
                                            PictureStream::read(f.path).value(), true, 7, 33);
        QCOMPARE(part.picture, f.overview(true, scale).picture.copy(7 * scale, 0, 26 * scale, 16 * scale));
    }

    void marksOnlyMarkedObjects_data()
    {
        QTest::addColumn<QString>("drawing");
        QTest::addColumn<QList<int>>("columns"); // first and last of each differing run
        QTest::newRow("track view") << "view" << QList{48, 95, 128, 159};
        QTest::newRow("exported picture") << "export" << QList{48, 95, 128, 159};
        QTest::newRow("overview") << "overview" << QList{6, 11, 16, 19};
    }
    void marksOnlyMarkedObjects()
    {
        QFETCH(QString, drawing);
        QFETCH(QList<int>, columns);
        const Fixture f;
        const auto draw = [&](bool marked) {
            if (drawing == "view")
                return RenderTrackView({f.objects, 5, 0}, f.backdrop, f.sheet, f.path, marked).strip;
            if (drawing == "export")
                return DrawTrackPicture(f.objects, f.backdrop, f.sheet, f.path, marked).value();
            return f.overview(marked).picture;
        };
        const QImage plain = draw(false), marked = draw(true);
        QCOMPARE(differingColumns(plain, marked), columns);
        // The badge sits in the top right corner; the tint lets the picture through.
        QCOMPARE(marked.pixel(columns[1], 0), qRgb(255, 0, 170));
        QVERIFY(marked.pixel(columns[0], 20) != marked.pixel(columns[0], 21));
    }

    void outlinesTheStretchAndTheCurrentObject_data()
    {
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("viewWidth");
        QTest::addColumn<QList<int>>("frames"); // [left, right) of the stretch, then of the object
        QTest::newRow("33 objects reach past the view") << 1 << 512 << QList{6, 70, 6, 12};
        QTest::newRow("a narrow view") << 0 << 64 << QList{0, 8, 0, 6};
        QTest::newRow("the last object") << 4 << 512 << QList{20, 80, 20, 80};
    }
    void outlinesTheStretchAndTheCurrentObject()
    {
        QFETCH(int, current);
        QFETCH(int, viewWidth);
        QFETCH(QList<int>, frames);
        const Fixture f;
        const TrackOverviewPicture overview = f.overview(false);
        QImage painted = overview.picture, expected = overview.picture;
        QPainter painter(&painted);
        PaintOverviewOutlines(painter, overview, current, viewWidth);
        painter.end();
        for (int frame : {0, 2})
            for (int x = frames[frame] + frame / 2; x < frames[frame + 1] - frame / 2; ++x)
                for (int y = frame / 2; y < 32 - frame / 2; ++y)
                    if (x == frames[frame] + frame / 2 || x == frames[frame + 1] - frame / 2 - 1 || y == frame / 2 || y == 31 - frame / 2)
                        expected.setPixel(x, y, frame ? qRgb(255, 200, 0) : qRgb(255, 255, 255));
        QCOMPARE(painted, expected);
        QList<int> hits;
        for (int x : {-1, 0, 5, 6, 19, 20, 79, 80})
            hits << OverviewObjectAt(overview, x);
        QCOMPARE(hits, QList({-1, 0, 0, 1, 3, 4, 4, -1}));
    }

    // Nine times a span 0x42 of length 255 and a marked id 1; a width off the 16-pixel grid
    // takes the drawing picture by picture.
    void wideExportIsTheViewsStrips_data()
    {
        QTest::addColumn<bool>("marked");
        QTest::addColumn<int>("objectWidth");
        QTest::addColumn<int>("width");
        QTest::newRow("plain") << false << 48 << 37152;
        QTest::newRow("marked") << true << 48 << 37152;
        QTest::newRow("off the grid") << true << 40 << 37080;
    }
    void wideExportIsTheViewsStrips()
    {
        QFETCH(bool, marked);
        QFETCH(int, objectWidth);
        QFETCH(int, width);
        const Fixture f;
        track::TrackObjectList objects;
        for (int i = 0; i < 9; ++i)
            objects << track::TrackObject{2, bytes({0x42, 255}), 4080, false} << track::TrackObject{1, bytes({0x81}), objectWidth, false};
        QByteArray file;
        const Status written = WriteTrackPng(objects, f.backdrop, f.sheet, f.path, marked, [&](const char *data, qint64 size) {
            file.append(data, size);
            return Status(Success{});
        });
        QVERIFY2(written.ok(), qPrintable(written.error()));
        const QImage picture = QImage::fromData(file, "png");
        QCOMPARE(picture.size(), QSize(width, 256));
        const std::vector<qint64> lefts = TrackObjectLefts(objects);
        for (int i = 0; i < objects.size(); ++i) {
            // The background repeats from the track's start, so the view's is turned to match.
            QImage turned(512, 256, QImage::Format_RGB32);
            QPainter painter(&turned);
            painter.drawImage(int(-lefts[size_t(i)] % 512), 0, f.backdrop);
            painter.drawImage(int(512 - lefts[size_t(i)] % 512), 0, f.backdrop);
            painter.end();
            const QImage strip = RenderTrackView({objects, 5, i}, turned, f.sheet, f.path, marked).strip;
            const int shown = int(std::min<qint64>(512, width - lefts[size_t(i)]));
            QCOMPARE(picture.copy(int(lefts[size_t(i)]), 0, shown, 256), strip.copy(0, 0, shown, 256));
        }
        // A failing sink stops the writing with its reason; a picture too wide is refused.
        const auto refuse = [](const char *, qint64) { return Status(Failure{QStringLiteral("The disk is full.")}); };
        QCOMPARE(WriteTrackPng(objects, f.backdrop, f.sheet, f.path, marked, refuse).error(), "The disk is full.");
        QCOMPARE(WriteTrackPng(track::TrackObjectList(2, {1, bytes({1}), 2147483647, false}), f.backdrop, f.sheet, f.path, marked, refuse).error(),
                 "The track is 4,294,967,294 pixels wide; a PNG picture can be at most 2,147,483,647 pixels wide, so none was made.");
    }
};

QTEST_GUILESS_MAIN(TestOverview)
#include "tst_overview.moc"
