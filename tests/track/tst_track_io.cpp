#include "image_builder.h"
#include "track_codec.h"
#include "track_invariants.h"
#include "track_io.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QTest>

#ifdef Q_OS_LINUX
#include <csignal>
#include <sys/resource.h>
#endif

using namespace whoopline;
using namespace whoopline::testing;
using namespace whoopline::track;

namespace {

ObjectWidthTable testWidths()
{
    ObjectWidthTable widths{};
    for (int id = 0; id < ObjectIdCount; ++id)
        widths[id] = 16 + 2 * id;
    return widths;
}

// The laps byte each track has in the rich image.
constexpr int RichLaps[TrackCount] = {3, 4, 5, 6, 7};
// The byte after track 5's region in the rich image; it belongs to no track.
constexpr int RichByteAfterTrack5 = 0x09;

// budget object bytes of known one-byte ids, marked ids and spans, made from seed. With
// spanOnLastByte the last of them is a span code whose length is the byte after the region.
QByteArray regionObjects(int budget, quint32 seed, bool spanOnLastByte)
{
    QRandomGenerator random(seed);
    QByteArray bytes;
    while (bytes.size() < budget) {
        const int remaining = budget - int(bytes.size());
        const quint32 r = random.generate();
        if (spanOnLastByte && remaining == 1) {
            bytes.append(char(FirstSpanCode + r % 7));
        } else if (r % 4 == 0 && remaining >= (spanOnLastByte ? 3 : 2)) {
            bytes.append(char(FirstSpanCode + r % 7));
            bytes.append(char((r >> 8) & 0xFF));
        } else {
            const int id = int(r % ObjectIdCount);
            bytes.append(char((r & 0x100) ? (id | AlternativeBit) : id));
        }
    }
    return bytes;
}

// A whole image of random bytes with five well-formed tracks; tracks 1 and 5 end in a span that
// starts on the budget's last byte (track 1's length is track 3's laps byte).
ImageBuilder richImage()
{
    ImageBuilder image;
    QRandomGenerator random(2026);
    for (Position position = 17; position <= image.bytes().size(); ++position)
        image.set(position, int(random.bounded(256)));
    for (int track = 1; track <= TrackCount; ++track) {
        image.set(trackStartPosition(track), RichLaps[track - 1]);
        image.set(trackStartPosition(track) + 1,
                  regionObjects(trackByteBudget(track), quint32(track), track == 1 || track == 5));
    }
    image.set(PositionAfterLastRegion, RichByteAfterTrack5);
    return image;
}

void truncateFile(const QString &path, qint64 size)
{
    QFile file(path);
    QVERIFY(file.resize(size));
}

} // namespace

class TestTrackIo : public QObject
{
    Q_OBJECT

private slots:
    // The positions are written out here, not taken from the table, so that a wrong constant
    // shows. Around the region every byte is $C3, which no load can accept.
    void readsEachTrackAtItsOwnPositions_data()
    {
        QTest::addColumn<int>("track");
        QTest::addColumn<qint64>("lapsPosition");
        QTest::addColumn<qint64>("lastObjectPosition");
        QTest::newRow("track 1") << 1 << qint64(11607) << qint64(11736);
        QTest::newRow("track 2") << 2 << qint64(11882) << qint64(12002);
        QTest::newRow("track 3") << 3 << qint64(11737) << qint64(11881);
        QTest::newRow("track 4") << 4 << qint64(12003) << qint64(12215);
        QTest::newRow("track 5") << 5 << qint64(12216) << qint64(12403);
    }
    void readsEachTrackAtItsOwnPositions()
    {
        QFETCH(int, track);
        QFETCH(qint64, lapsPosition);
        QFETCH(qint64, lastObjectPosition);
        const int budget = int(lastObjectPosition - lapsPosition);
        QByteArray objectBytes;
        for (int i = 0; i < budget; ++i)
            objectBytes.append(char(1 + i % 49));
        objectBytes[0] = char(0xA0); // id 32, marked
        objectBytes[budget - 1] = char(0x30);
        QTemporaryDir dir;
        const QString path = ImageBuilder()
                                 .fill(11500, 1000, 0xC3)
                                 .set(lapsPosition, 10 + track)
                                 .set(lapsPosition + 1, objectBytes)
                                 .write(dir);

        const ObjectWidthTable widths = testWidths();
        const auto loaded = ReadTrack(path, track, widths);
        QVERIFY2(loaded.ok(), qPrintable(loaded.error()));
        QCOMPARE(loaded->laps, 10 + track);
        QCOMPARE(loaded->objects.size(), budget);
        QCOMPARE(EncodeTrackObjects(loaded->objects), objectBytes);
        QCOMPARE(loaded->objects.first(), MakeTrackObject(QByteArray(1, char(0xA0)), widths));
        QVERIFY(loaded->objects.first().Alternative);
        QCOMPARE(loaded->objects.last().Width, widths[0x30]);
        const QString violation = TrackInvariantViolation(loaded->objects, widths);
        QVERIFY2(violation.isEmpty(), qPrintable(violation));
    }

    void readsASpanOnTheBudgetsLastByte_data()
    {
        QTest::addColumn<int>("track");
        QTest::addColumn<qint64>("lastObjectPosition");
        QTest::addColumn<qint64>("afterPosition");
        QTest::newRow("track 1, length from track 3's laps") << 1 << qint64(11736) << qint64(11737);
        QTest::newRow("track 3, length from track 2's laps") << 3 << qint64(11881) << qint64(11882);
        QTest::newRow("track 2, length from track 4's laps") << 2 << qint64(12002) << qint64(12003);
        QTest::newRow("track 4, length from track 5's laps") << 4 << qint64(12215) << qint64(12216);
        QTest::newRow("track 5, length from position 12404") << 5 << qint64(12403) << qint64(12404);
    }
    void readsASpanOnTheBudgetsLastByte()
    {
        QFETCH(int, track);
        QFETCH(qint64, lastObjectPosition);
        QFETCH(qint64, afterPosition);
        QTemporaryDir dir;
        ImageBuilder image;
        for (int t = 1; t <= TrackCount; ++t)
            image.set(trackStartPosition(t), 2);
        const QString path = image.set(lastObjectPosition, 0x44).set(afterPosition, 9).write(dir);

        const ObjectWidthTable widths = testWidths();
        const auto loaded = ReadTrack(path, track, widths);
        QVERIFY2(loaded.ok(), qPrintable(loaded.error()));
        QCOMPARE(loaded->objects.size(), trackByteBudget(track));
        QCOMPARE(loaded->objects.last().Bytes, QByteArray("\x44\x09", 2));
        QCOMPARE(loaded->objects.last().Width, 144);
        QCOMPARE(ByteTotal(loaded->objects), trackByteBudget(track) + 1);
        const QString violation = TrackInvariantViolation(loaded->objects, widths);
        QVERIFY2(violation.isEmpty(), qPrintable(violation));

        // Saved unchanged, it writes the byte after the region back as it was.
        QVERIFY(WriteTrack(path, track, loaded->laps, loaded->objects).ok());
        QCOMPARE(readWholeFile(path), image.bytes());
    }

    void savingUnchangedLeavesTheImageByteForByte_data()
    {
        QTest::addColumn<int>("track");
        for (int track = 1; track <= TrackCount; ++track)
            QTest::addRow("track %d", track) << track;
    }
    void savingUnchangedLeavesTheImageByteForByte()
    {
        QFETCH(int, track);
        QTemporaryDir dir;
        const ImageBuilder image = richImage();
        const QString path = image.write(dir);
        const ObjectWidthTable widths = testWidths();

        const auto loaded = ReadTrack(path, track, widths);
        QVERIFY2(loaded.ok(), qPrintable(loaded.error()));
        QCOMPARE(loaded->laps, RichLaps[track - 1]);
        const QString violation = TrackInvariantViolation(loaded->objects, widths);
        QVERIFY2(violation.isEmpty(), qPrintable(violation));
        const int extra = (track == 1 || track == 5) ? 1 : 0;
        QCOMPARE(ByteTotal(loaded->objects), trackByteBudget(track) + extra);

        const Status saved = WriteTrack(path, track, loaded->laps, loaded->objects);
        QVERIFY2(saved.ok(), qPrintable(saved.error()));
        QCOMPARE(readWholeFile(path), image.bytes());
        const Status again = WriteTrack(path, track, loaded->laps, loaded->objects);
        QVERIFY2(again.ok(), qPrintable(again.error()));
        QCOMPARE(readWholeFile(path), image.bytes());
    }

    void changingOnlyTheLapsWritesOnlyTheLapsByte()
    {
        QTemporaryDir dir;
        const ImageBuilder image = richImage();
        const QString path = image.write(dir);
        const auto loaded = ReadTrack(path, 4, testWidths());
        QVERIFY2(loaded.ok(), qPrintable(loaded.error()));
        QCOMPARE(loaded->laps, 6);

        const Status saved = WriteTrack(path, 4, 3, loaded->objects);
        QVERIFY2(saved.ok(), qPrintable(saved.error()));
        const QByteArray after = readWholeFile(path);
        QCOMPARE(after.size(), image.bytes().size());
        QList<qint64> changed;
        for (qint64 offset = 0; offset < after.size(); ++offset) {
            if (after.at(offset) != image.bytes().at(offset))
                changed << offset + 1;
        }
        QCOMPARE(changed, QList<qint64>{12003});
        QCOMPARE(quint8(after.at(offsetOf(12003))), quint8(3));
        QCOMPARE(ReadTrack(path, 4, testWidths())->laps, 3);
    }

    // One-byte to two-byte replacement removes a span after it: the total drops by one, and the
    // region's last byte keeps its old value, which the next load reads as an object again.
    void aShorterObjectStringLeavesTheRegionsTail()
    {
        QTemporaryDir dir;
        const ImageBuilder image = richImage();
        const QString path = image.write(dir);
        const ObjectWidthTable widths = testWidths();
        const int track = 2;
        const Position start = trackStartPosition(track);
        const int budget = trackByteBudget(track);
        const auto loaded = ReadTrack(path, track, widths);
        QVERIFY2(loaded.ok(), qPrintable(loaded.error()));

        TrackObjectList edited = loaded->objects;
        int at = 0;
        while (at + 1 < edited.size() && (edited.at(at).isSpan() || !edited.at(at + 1).isSpan()))
            ++at;
        QVERIFY2(at + 1 < edited.size(), "the rich image needs a one-byte object before a span");
        edited[at] = MakeTrackObject(QByteArray("\x42\x04", 2), widths);
        edited.removeAt(at + 1);
        QCOMPARE(ByteTotal(edited), budget - 1);

        const Status saved = WriteTrack(path, track, loaded->laps, edited);
        QVERIFY2(saved.ok(), qPrintable(saved.error()));
        QByteArray expected = image.bytes();
        expected.replace(offsetOf(start + 1), budget - 1, EncodeTrackObjects(edited));
        QCOMPARE(expected.at(offsetOf(start + budget)), image.bytes().at(offsetOf(start + budget)));
        QCOMPARE(readWholeFile(path), expected);

        const auto reloaded = ReadTrack(path, track, widths);
        QVERIFY2(reloaded.ok(), qPrintable(reloaded.error()));
        QCOMPARE(EncodeTrackObjects(reloaded->objects),
                 expected.mid(offsetOf(start + 1), ByteTotal(reloaded->objects)));
        QCOMPARE(reloaded->objects.mid(0, edited.size()), edited);
    }

    void refusesToLoadWhatItCannotHold_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("track");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing file")
            << "missing" << 2
            << "Track 2 cannot be loaded: the file \u201Cimage.nes\u201D cannot be read: ";
        QTest::newRow("a folder")
            << "folder" << 2 << "Track 2 cannot be loaded: \u201Cimage.nes\u201D is now a folder";
        QTest::newRow("too short for the region")
            << "short" << 2
            << "Track 2 cannot be loaded: the file \u201Cimage.nes\u201D is 12,001 bytes long, too "
               "short for the track's region (positions 11,882 to 12,002).";
        QTest::newRow("too short for the length after the region")
            << "short after" << 5
            << "Track 5 cannot be loaded: the file \u201Cimage.nes\u201D is 12,403 bytes long, too "
               "short for the length of the track's last object, which lies just after the region "
               "(position 12,404).";
        QTest::newRow("laps byte 0")
            << "laps 0" << 2
            << "Track 2 cannot be loaded: its laps byte at position 11,882 is 0, and a race has 1 "
               "to 255 laps.";
        QTest::newRow("unknown object")
            << "unknown" << 2
            << "Track 2 cannot be loaded: object 17 has the code $C3, which is not a known object.";
        QTest::newRow("no such track")
            << "none" << 6 << "There is no track 6; the tracks are numbered 1 to 5.";
    }
    void refusesToLoadWhatItCannotHold()
    {
        QFETCH(QString, kind);
        QFETCH(int, track);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString path = dir.filePath("image.nes");
        ImageBuilder image = richImage();
        if (kind == "short") {
            image.resize(12001);
        } else if (kind == "short after") {
            image.resize(12403);
        } else if (kind == "laps 0") {
            image.set(11882, 0);
        } else if (kind == "unknown") {
            // Objects 0..16 are a span and sixteen one-byte objects: byte 18 is object 17.
            image.set(11883, {0x40, 0x02});
            image.fill(11885, 16, 0x85);
            image.set(11901, 0xC3);
        }
        if (kind == "folder")
            QVERIFY(QDir(dir.path()).mkdir("image.nes"));
        else if (kind != "missing")
            image.write(dir);
        const QByteArray before = readWholeFile(path);

        const auto loaded = ReadTrack(path, track, testWidths());
        QVERIFY(!loaded.ok());
        QVERIFY2(loaded.error().startsWith(message), qPrintable(loaded.error()));
        QCOMPARE(readWholeFile(path), before);
        QCOMPARE(QFileInfo::exists(path), kind != "missing");
    }

    void refusesToSaveAndWritesNothing_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("track");
        QTest::addColumn<QString>("message");
        QTest::newRow("laps 0") << "laps 0" << 4
                                << "Track 4 could not be saved: the number of laps must be 1 to "
                                   "255, not 0. Nothing was written.";
        QTest::newRow("laps 256") << "laps 256" << 4
                                  << "Track 4 could not be saved: the number of laps must be 1 to "
                                     "255, not 256. Nothing was written.";
        QTest::newRow("no objects") << "empty" << 4
                                    << "Track 4 could not be saved: it has no objects; load a "
                                       "track first. Nothing was written.";
        QTest::newRow("two bytes over the budget")
            << "too long" << 2
            << "Track 2 could not be saved: its objects take 122 bytes, but its region holds 120 "
               "object bytes. Nothing was written.";
        QTest::newRow("a new length over track 3's laps byte")
            << "length" << 1
            << "Track 1 could not be saved: the last object's length lies outside the track's "
               "region, "
               "at position 11,737, which is the laps byte of track 3; saving would change it from "
               "5 "
               "to 6. Give the last object its length 5 again. Nothing was written.";
        QTest::newRow("a new length over the byte after track 5")
            << "length" << 5
            << "Track 5 could not be saved: the last object's length lies outside the track's "
               "region, "
               "at position 12,404, which is a byte that belongs to no track; saving would change "
               "it "
               "from 9 to 10. Give the last object its length 9 again. Nothing was written.";
        QTest::newRow("an object 0 pushed past the region")
            << "pushed" << 5
            << "Track 5 could not be saved: the last object lies outside the track's region, at "
               "position 12,404, which is a byte that belongs to no track; saving would change it "
               "from $09 to $00. Nothing was written.";
        QTest::newRow("the byte after the region is gone")
            << "short after" << 5
            << "Track 5 could not be saved: the file \u201Cimage.nes\u201D is 12,403 bytes long, "
               "too "
               "short for the byte after the track's region (position 12,404). Nothing was "
               "written.";
        QTest::newRow("file deleted since the load")
            << "deleted" << 4
            << "Track 4 could not be saved: the file \u201Cimage.nes\u201D no longer exists; "
               "nothing "
               "was written.";
        QTest::newRow("file truncated since the load")
            << "truncated" << 4
            << "Track 4 could not be saved: the file \u201Cimage.nes\u201D is now 12,100 bytes "
               "long, "
               "too short for positions 12,003 to 12,215; nothing was written.";
        QTest::newRow("file truncated inside the region")
            << "truncated" << 5
            << "Track 5 could not be saved: the file \u201Cimage.nes\u201D is 12,100 bytes long, "
               "too short for the byte after the track's region (position 12,404). Nothing was "
               "written.";
        QTest::newRow("file replaced by a folder")
            << "folder" << 4
            << "Track 4 could not be saved: \u201Cimage.nes\u201D is now a folder; nothing was "
               "written.";
        QTest::newRow("no such track")
            << "none" << 0
            << "There is no track 0; the tracks are numbered 1 to 5. Nothing was written.";
    }
    void refusesToSaveAndWritesNothing()
    {
        QFETCH(QString, kind);
        QFETCH(int, track);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString path = richImage().write(dir);
        const ObjectWidthTable widths = testWidths();
        const auto loaded = ReadTrack(path, isTrackNumber(track) ? track : 1, widths);
        QVERIFY2(loaded.ok(), qPrintable(loaded.error()));
        int laps = loaded->laps;
        TrackObjectList objects = loaded->objects;

        if (kind == "laps 0") {
            laps = 0;
        } else if (kind == "laps 256") {
            laps = 256;
        } else if (kind == "empty") {
            objects.clear();
        } else if (kind == "too long") {
            objects << MakeTrackObject("\x01", widths) << MakeTrackObject("\x02", widths);
        } else if (kind == "length") {
            QVERIFY(objects.last().isSpan());
            const int length = objects.last().length() + 1;
            objects.last() = MakeTrackObject(objects.last().Bytes.left(1) + char(length), widths);
        } else if (kind == "pushed") {
            // A two-byte to one-byte replacement of the last span inserts an object 0 after it.
            objects.last() = MakeTrackObject("\x05", widths);
            objects << MakeTrackObject(QByteArray(1, '\0'), widths);
        } else if (kind == "short after") {
            truncateFile(path, 12403);
        } else if (kind == "deleted") {
            QVERIFY(QFile::remove(path));
        } else if (kind == "truncated") {
            truncateFile(path, 12100);
        } else if (kind == "folder") {
            QVERIFY(QFile::remove(path));
            QVERIFY(QDir(dir.path()).mkdir("image.nes"));
        }
        const QByteArray before = readWholeFile(path);
        const qint64 sizeBefore = QFileInfo(path).size();

        const Status saved = WriteTrack(path, track, laps, objects);
        QVERIFY(!saved.ok());
        QCOMPARE(saved.error(), message);
        QCOMPARE(readWholeFile(path), before);
        QCOMPARE(QFileInfo(path).size(), sizeBefore);
        QCOMPARE(QFileInfo::exists(path), kind != "deleted");
    }

    // /dev/full reports a size of 0, so the save refuses before it writes.
    void refusesADeviceInPlaceOfTheImage()
    {
#ifndef Q_OS_LINUX
        QSKIP("needs /dev/full");
#else
        QTemporaryDir dir;
        const QString path = richImage().write(dir);
        const auto loaded = ReadTrack(path, 4, testWidths());
        QVERIFY2(loaded.ok(), qPrintable(loaded.error()));
        QVERIFY(QFile::remove(path));
        QVERIFY(QFile::link("/dev/full", path));

        const Status saved = WriteTrack(path, 4, loaded->laps, loaded->objects);
        QVERIFY(!saved.ok());
        QCOMPARE(saved.error(),
                 QStringLiteral("Track 4 could not be saved: the file \u201Cimage.nes\u201D "
                                "is now 0 bytes long, too short for positions 12,003 to "
                                "12,215; nothing was written."));
        QCOMPARE(QFileInfo(path).symLinkTarget(), QStringLiteral("/dev/full"));
#endif
    }

    // A file size limit below the region makes the write itself fail (EFBIG), whoever runs the
    // test.
    void reportsAWriteThatFails()
    {
#ifndef Q_OS_LINUX
        QSKIP("needs RLIMIT_FSIZE");
#else
        QTemporaryDir dir;
        const ImageBuilder image = richImage();
        const QString path = image.write(dir);
        const auto loaded = ReadTrack(path, 4, testWidths());
        QVERIFY2(loaded.ok(), qPrintable(loaded.error()));

        rlimit old{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
        Status saved = Success{};
        {
            const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
            rlimit lowered = old;
            lowered.rlim_cur = 4096;
            const auto restore = qScopeGuard([&] {
                setrlimit(RLIMIT_FSIZE, &old);
                std::signal(SIGXFSZ, oldHandler);
            });
            QCOMPARE(setrlimit(RLIMIT_FSIZE, &lowered), 0);
            saved = WriteTrack(path, 4, 3, loaded->objects);
        }
        QVERIFY(!saved.ok());
        QVERIFY2(saved.error().startsWith(QStringLiteral(
                     "Track 4 could not be saved: writing to \u201Cimage.nes\u201D failed: ")),
                 qPrintable(saved.error()));
        QVERIFY2(saved.error().contains(QStringLiteral("File too large")),
                 qPrintable(saved.error()));
        QCOMPARE(readWholeFile(path), image.bytes());
#endif
    }
};

QTEST_GUILESS_MAIN(TestTrackIo)
#include "tst_track_io.moc"
