#include "image_builder.h"
#include "track/track_codec.h"
#include "track/track_io.h"

#include <QRandomGenerator>
#include <QTest>

using namespace whoopline;
using namespace whoopline::testing;
using namespace whoopline::track;

namespace {

// Widths that differ per id, so that a wrong id or a wrong table entry shows: id 5 is 26 wide.
const ObjectWidthTable Widths = [] {
    ObjectWidthTable widths{};
    for (int id = 0; id < 50; ++id)
        widths[id] = 16 + 2 * id;
    return widths;
}();

// Random bytes, so that a byte read or written out of place shows; in the regions (11607..12403)
// known ids, some marked, and a span at the start of each track. Laps 3, 4, 5, 6, 7. Tracks 1
// and 5 end in a span on the budget's last byte: track 1's length is track 3's laps byte 5,
// track 5's the byte 9.
ImageBuilder richImage()
{
    ImageBuilder image;
    QRandomGenerator random(2026);
    for (Position position = 17; position <= 24592; ++position) {
        const int r = int(random.bounded(256));
        const bool inRegions = position > 11607 && position < 12404;
        image.set(position, bytes({inRegions ? (r % 50) | (r & 0x80) : r}));
    }
    for (int track = 1; track <= 5; ++track)
        image.set(TrackStarts[track - 1], bytes({2 + track, 0x40 + track, int(random.bounded(256))}));
    return image.set(11736, bytes({0x44})).set(12002, bytes({0x31})).set(12403, bytes({0x44, 0x09}));
}

struct Decoding { QByteArray objectBytes; int budget; TrackObjectList objects; QString message; };

} // namespace

Q_DECLARE_METATYPE(Decoding)

class TestTrack : public QObject
{
    Q_OBJECT

private slots:
    // budget: the bytes before it are the region; a byte after it is the byte after the region.
    // Either the objects are expected, or the message of the refusal.
    void decodesObjects_data()
    {
        QTest::addColumn<Decoding>("row");
        const auto row = [](const char *name, const QByteArray &hex, int budget,
                            const TrackObjectList &objects, const QString &message = {}) {
            QTest::newRow(name) << Decoding{QByteArray::fromHex(hex), budget, objects, message};
        };
        row("span then a marked id 5", "4005 85", 3, {{2, "\x40\x05", 80}, {1, "\x85", 26, true}});
        row("span of length $85 is 2128 wide and unmarked", "4085", 2, {{2, "\x40\x85", 2128}});
        row("last span code, last known id", "4601 31", 3, {{2, "\x46\x01", 16}, {1, "\x31", 114}});
        row("marked last known id, marked 0", "b1 80", 2, {{1, "\xB1", 114, true}, {1, "\x80", 16, true}});
        row("a span's length that looks like a span code is a length", "01 4044 02", 4,
            {{1, "\x01", 18}, {2, "\x40\x44", 1088}, {1, "\x02", 20}});
        row("span on the budget's last byte takes the byte after the region", "01 02 4409", 3,
            {{1, "\x01", 18}, {1, "\x02", 20}, {2, "\x44\x09", 144}});
        row("the byte after the region is ignored when not needed", "01 4003 c3", 3, {{1, "\x01", 18}, {2, "\x40\x03", 48}});
        const QString unknown = "object %1 has the code %2, which is not a known object.";
        row("$C3, counted in objects, not bytes", "4002 01010101010101010101010101010101 c3 00", 20,
            {}, unknown.arg(18).arg("$C3"));
        row("$C0 is no span code", "c005", 2, {}, unknown.arg(1).arg("$C0"));
        row("id 50, the first unknown", "3132", 2, {}, unknown.arg(2).arg("$32"));
        row("$3F, just before the span codes", "3f", 1, {}, unknown.arg(1).arg("$3F"));
        row("$47, just after them", "47", 1, {}, unknown.arg(1).arg("$47"));
        row("the byte after the region is missing", "0045", 2, {},
            "object 2 (code $45) starts on the region's last byte, and its length, the byte after "
            "the region, is missing.");
        row("fewer bytes than the budget", "0001", 3, {}, "only 2 of its 3 object bytes were given.");
    }
    void decodesObjects()
    {
        QFETCH(Decoding, row);
        const auto &[objectBytes, budget, objects, message] = row;
        const auto decoded = DecodeTrackObjects(objectBytes, budget, Widths);
        QCOMPARE(decoded.error(), message);
        if (!decoded.ok())
            return;
        QCOMPARE(std::tuple(*decoded, NeedsByteAfterRegion(objectBytes, budget)), std::tuple(objects, ByteTotal(objects) == budget + 1));
    }

    // The positions are written out here, not taken from the editor, so that a wrong constant
    // shows: a track loads from its region and saves back into it, and nothing else changes.
    void loadsAndSavesInPlace_data()
    {
        QTest::addColumn<int>("track");
        QTest::addColumn<qint64>("first"); // the laps byte
        QTest::addColumn<qint64>("last");  // the last object byte, after the region for 1 and 5
        QTest::newRow("track 1") << 1 << qint64(11607) << qint64(11737);
        QTest::newRow("track 2") << 2 << qint64(11882) << qint64(12002);
        QTest::newRow("track 3") << 3 << qint64(11737) << qint64(11881);
        QTest::newRow("track 4") << 4 << qint64(12003) << qint64(12215);
        QTest::newRow("track 5") << 5 << qint64(12216) << qint64(12404);
    }
    void loadsAndSavesInPlace()
    {
        QFETCH(int, track);
        QFETCH(qint64, first);
        QFETCH(qint64, last);
        QTemporaryDir dir;
        const QByteArray before = richImage().bytes();
        const QString path = writeFile(dir, "image.nes", before);
        const auto loaded = ReadTrack(path, track, Widths);
        QVERIFY2(loaded.ok(), qPrintable(loaded.error()));
        QCOMPARE(char(loaded->laps) + EncodeTrackObjects(loaded->objects), before.mid(first - 1, last - first + 1));
        const Status saved = WriteTrack(path, track, loaded->laps, loaded->objects);
        QVERIFY2(saved.ok(), qPrintable(saved.error()));
        QCOMPARE(readWholeFile(path), before);
    }

    // Each refusal names the track and writes nothing. objects replace the last loaded one.
    void refusesToSaveAndWritesNothing()
    {
        QTemporaryDir dir;
        const QString path = richImage().write(dir);
        const auto refusal = [&](int track, int laps, const char *objects) {
            TrackObjectList loaded = ReadTrack(path, track, Widths)->objects;
            const QByteArray last = QByteArray::fromHex(objects);
            if (!last.isEmpty())
                loaded = loaded.first(loaded.size() - 1) + *DecodeTrackObjects(last, int(last.size()), Widths);
            return WriteTrack(path, track, laps, loaded).error();
        };
        const QString saved = "Track %1 could not be saved: ";
        QCOMPARE(std::tuple(refusal(4, 0, ""), refusal(4, 256, "")), std::tuple(saved.arg(4) + "the number of laps must be 1 to 255, not 0. Nothing was written.", saved.arg(4) + "the number of laps must be 1 to 255, not 256. Nothing was written."));
        QCOMPARE(refusal(2, 4, "310102"), saved.arg(2) + "its objects take 122 bytes, but its region holds 120 "
                                                         "object bytes. Nothing was written.");
        QCOMPARE(refusal(1, 3, "4406"), // a new length over track 3's laps byte
                 saved.arg(1) + "the last object's length lies outside the track's region, at position "
                                "11,737, which is the laps byte of track 3; saving would change it from 5 "
                                "to 6. Give the last object its length 5 again. Nothing was written.");
        QCOMPARE(refusal(5, 7, "0500"), // an object 0 pushed past the region
                 saved.arg(5) + "the last object lies outside the track's region, at position 12,404, "
                                "which is a byte that belongs to no track; saving would change it from $09 "
                                "to $00. Nothing was written.");
        QCOMPARE(readWholeFile(path), richImage().bytes());
    }
};

QTEST_GUILESS_MAIN(TestTrack)
#include "tst_track.moc"
