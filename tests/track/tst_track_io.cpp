#include "image_builder.h"
#include "track_codec.h"
#include "track_io.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

using namespace whoopline;
using namespace whoopline::testing;
using namespace whoopline::track;

namespace {

// Saving and loading do not look at the widths.
const ObjectWidthTable Widths{};

// Random bytes, so that a byte read or written out of place shows; in the regions known ids, some
// marked, and a span at the start of each track. Laps 3, 4, 5, 6, 7. Tracks 1 and 5 end in a span
// on the budget's last byte: track 1's length is track 3's laps byte 5, track 5's the byte 9.
ImageBuilder richImage()
{
    ImageBuilder image;
    QRandomGenerator random(2026);
    for (Position position = 17; position <= image.bytes().size(); ++position) {
        const int r = int(random.bounded(256));
        const bool inRegions = position > 11607 && position < 12404;
        image.set(position, inRegions ? (r % ObjectIdCount) | (r & AlternativeBit) : r);
    }
    for (int track = 1; track <= TrackCount; ++track)
        image.set(trackStartPosition(track),
                  {2 + track, FirstSpanCode + track, random.bounded(256)});
    return image.set(11736, 0x44).set(12002, 0x31).set(12403, 0x44).set(12404, 0x09);
}

} // namespace

class TestTrackIo : public QObject
{
    Q_OBJECT

private slots:
    // The positions are written out here, not taken from the table, so that a wrong constant
    // shows. Each row saves the loaded track with the given change.
    void loadsAndSavesInPlace_data()
    {
        QTest::addColumn<int>("track");
        QTest::addColumn<qint64>("first"); // the laps byte
        QTest::addColumn<qint64>("last");  // the last object byte, after the region for 1 and 5
        QTest::addColumn<int>("laps");     // 0: as loaded
        QTest::addColumn<bool>("shorter"); // objects 0, one byte fewer than the budget
        QTest::addColumn<QByteArray>("expected");
        const QByteArray rich = richImage().bytes();
        QTest::newRow("track 1") << 1 << qint64(11607) << qint64(11737) << 0 << false << rich;
        QTest::newRow("track 2") << 2 << qint64(11882) << qint64(12002) << 0 << false << rich;
        QTest::newRow("track 3") << 3 << qint64(11737) << qint64(11881) << 0 << false << rich;
        QTest::newRow("track 4") << 4 << qint64(12003) << qint64(12215) << 0 << false << rich;
        QTest::newRow("track 5") << 5 << qint64(12216) << qint64(12404) << 0 << false << rich;
        QTest::newRow("laps of track 4 only") << 4 << qint64(12003) << qint64(12215) << 3 << false
                                              << richImage().set(12003, 3).bytes();
        QTest::newRow("a shorter track 2 leaves the region's last byte")
            << 2 << qint64(11882) << qint64(12002) << 0 << true
            << richImage().fill(11883, 119, 0).bytes();
    }
    void loadsAndSavesInPlace()
    {
        QFETCH(int, track);
        QFETCH(qint64, first);
        QFETCH(qint64, last);
        QFETCH(int, laps);
        QFETCH(bool, shorter);
        QFETCH(QByteArray, expected);
        QTemporaryDir dir;
        const QByteArray before = richImage().bytes();
        const QString path = writeFile(dir, "image.nes", before);
        const auto loaded = ReadTrack(path, track, Widths);
        QVERIFY2(loaded.ok(), qPrintable(loaded.error()));
        QCOMPARE(char(loaded->laps) + EncodeTrackObjects(loaded->objects),
                 before.mid(offsetOf(first), last - first + 1));

        const TrackObjectList zeros(trackByteBudget(track) - 1,
                                    MakeTrackObject(QByteArray(1, '\0'), Widths));
        const Status saved =
            WriteTrack(path, track, laps ? laps : loaded->laps, shorter ? zeros : loaded->objects);
        QVERIFY2(saved.ok(), qPrintable(saved.error()));
        QCOMPARE(readWholeFile(path), expected);
    }

    void refusesToLoadWhatItCannotHold_data()
    {
        QTest::addColumn<int>("track");
        QTest::addColumn<QByteArray>("image"); // empty: no file
        QTest::addColumn<QString>("message");
        QTest::newRow("missing file")
            << 2 << QByteArray()
            << "Track 2 cannot be loaded: the file \u201Cimage.nes\u201D cannot be read: ";
        QTest::newRow("too short for the region")
            << 2 << richImage().resize(12001).bytes()
            << "Track 2 cannot be loaded: the file \u201Cimage.nes\u201D is 12,001 bytes long, too "
               "short for the track's region (positions 11,882 to 12,002).";
        QTest::newRow("too short for the length after the region")
            << 5 << richImage().resize(12403).bytes()
            << "Track 5 cannot be loaded: the file \u201Cimage.nes\u201D is 12,403 bytes long, too "
               "short for the length of the track's last object, which lies just after the region "
               "(position 12,404).";
        QTest::newRow("laps byte 0")
            << 2 << richImage().set(11882, 0).bytes()
            << "Track 2 cannot be loaded: its laps byte at position 11,882 is 0, and a race has 1 "
               "to 255 laps.";
        QTest::newRow("unknown object")
            << 2 << richImage().set(11883, 0xC3).bytes()
            << "Track 2 cannot be loaded: object 0 has the code $C3, which is not a known object.";
        QTest::newRow("no such track")
            << 6 << richImage().bytes() << "There is no track 6; the tracks are numbered 1 to 5.";
    }
    void refusesToLoadWhatItCannotHold()
    {
        QFETCH(int, track);
        QFETCH(QByteArray, image);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString path =
            image.isEmpty() ? dir.filePath("image.nes") : writeFile(dir, "image.nes", image);
        const auto loaded = ReadTrack(path, track, Widths);
        QVERIFY(!loaded.ok());
        QVERIFY2(loaded.error().startsWith(message), qPrintable(loaded.error()));
        QCOMPARE(readWholeFile(path), image);
        QCOMPARE(QFileInfo::exists(path), !image.isEmpty());
    }

    void refusesToSaveAndWritesNothing_data()
    {
        QTest::addColumn<int>("track");
        QTest::addColumn<QByteArray>("tail"); // objects in place of the last one
        QTest::addColumn<QString>("message");
        const auto row =
            [](const char *kind, int track, const QString &reason, const QByteArray &tail = {}) {
                QTest::newRow(kind)
                    << track << QByteArray::fromHex(tail)
                    << QStringLiteral("Track %1 could not be saved: ").arg(track) + reason;
            };
        row("laps 0", 4, "the number of laps must be 1 to 255, not 0. Nothing was written.");
        row("laps 256", 4, "the number of laps must be 1 to 255, not 256. Nothing was written.");
        row("no objects", 4, "it has no objects; load a track first. Nothing was written.");
        row("two bytes over the budget", 2,
            "its objects take 122 bytes, but its region holds 120 object bytes. Nothing was "
            "written.",
            "310102");
        row("a new length over track 3's laps byte", 1,
            "the last object's length lies outside the track's region, at position 11,737, which "
            "is the laps byte of track 3; saving would change it from 5 to 6. Give the last "
            "object its length 5 again. Nothing was written.",
            "4406");
        row("an object 0 pushed past the region", 5,
            "the last object lies outside the track's region, at position 12,404, which is a byte "
            "that belongs to no track; saving would change it from $09 to $00. Nothing was "
            "written.",
            "0500");
        row("file cut before the byte after the region", 5,
            "the file \u201Cimage.nes\u201D is 12,403 bytes long, too short for the byte after "
            "the track's region (position 12,404). Nothing was written.");
        row("file cut inside the region", 4,
            "the file \u201Cimage.nes\u201D is now 12,100 bytes long, too short for positions "
            "12,003 to 12,215; nothing was written.");
        row("file deleted", 4,
            "the file \u201Cimage.nes\u201D no longer exists; nothing was written.");
        row("the write fails", 4,
            "writing to \u201Cimage.nes\u201D failed: File too large. Nothing was written.");
        QTest::newRow("no such track")
            << 0 << QByteArray()
            << "There is no track 0; the tracks are numbered 1 to 5. Nothing was written.";
    }
    void refusesToSaveAndWritesNothing()
    {
        const QString kind = QTest::currentDataTag();
        QFETCH(int, track);
        QFETCH(QByteArray, tail);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString path = richImage().write(dir);
        const auto loaded = ReadTrack(path, isTrackNumber(track) ? track : 1, Widths);
        QVERIFY2(loaded.ok(), qPrintable(loaded.error()));
        const int laps = kind == "laps 0" ? 0 : kind == "laps 256" ? 256 : loaded->laps;
        TrackObjectList objects = kind == "no objects" ? TrackObjectList() : loaded->objects;
        if (!tail.isEmpty())
            objects = objects.first(objects.size() - 1) +
                      *DecodeTrackObjects(tail, int(tail.size()), Widths);
        if (kind.startsWith("file cut"))
            QVERIFY(QFile(path).resize(track == 5 ? 12403 : 12100));
        if (kind == "file deleted")
            QVERIFY(QFile::remove(path));
        const QByteArray before = readWholeFile(path);
        // A file size limit below the region makes the write itself fail, whoever runs the test.
        rlimit old{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
        rlimit limit = old;
        limit.rlim_cur = kind == "the write fails" ? 4096 : old.rlim_cur;
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &limit), 0);
        const Status saved = WriteTrack(path, track, laps, objects);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &old), 0);
        std::signal(SIGXFSZ, oldHandler);
        QVERIFY(!saved.ok());
        QCOMPARE(saved.error(), message);
        QCOMPARE(readWholeFile(path), before);
        QCOMPARE(QFileInfo::exists(path), kind != "file deleted");
    }
};

QTEST_GUILESS_MAIN(TestTrackIo)
#include "tst_track_io.moc"
