#include "edit/track_file.h"
#include "image_builder.h"

#include <QtTest>

using namespace whoopline;
using namespace whoopline::edit;

class TestTrackFile : public QObject
{
    Q_OBJECT

private slots:
    // What the reader refuses, with the file's name, the line and what it expected.
    void refusals_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("error");
        QTest::newRow("another version") << "whoopline-track 2\nlaps 3\n" << "“t.track”, line 1: expected “whoopline-track 1”, found “whoopline-track 2”.";
        QTest::newRow("laps 0") << "whoopline-track 1\n# a comment\nlaps 0\n" << "“t.track”, line 3: the laps must be a number from 1 to 255, not “0”.";
        QTest::newRow("laps twice") << "whoopline-track 1\nlaps 3\nlaps 4\n" << "“t.track”, line 3: the laps are given twice.";
        QTest::newRow("no laps") << "whoopline-track 1\n05\n" << "“t.track” gives no laps: a line such as “laps 3” is missing.";
        QTest::newRow("no object") << "whoopline-track 1\nlaps 3\n\n  C3  # a one-byte id past the tables\n" << "“t.track”, line 4: $C3 is no object of a track.";
        QTest::newRow("span without length") << "whoopline-track 1\nlaps 3\n41\n" << "“t.track”, line 3: 41 is a two-byte object and needs its length, as in 41:20.";
        QTest::newRow("length of one byte") << "whoopline-track 1\nlaps 3\n05:02\n" << "“t.track”, line 3: 05 is a one-byte object and takes no length.";
        QTest::newRow("two on a line") << "whoopline-track 1\nlaps 3\n05 0C\n" << "“t.track”, line 3: expected one object such as 05, 41:20 or 85, found “05 0C”.";
    }
    void refusals()
    {
        QFETCH(QString, text);
        QFETCH(QString, error);
        QCOMPARE(ReadTrackFile(text, "/tracks/t.track").error(), error);
    }

    // Comments, blank lines, marks and spans read as their bytes; what fits the region is filled
    // with free bytes, a span on its last byte included; one byte more is refused with the numbers.
    void readsAndFits()
    {
        const auto file = ReadTrackFile("whoopline-track 1\n\n  laps 12  # twelve\n17\n41:0a # span\n8C\n", "t.track");
        QCOMPARE(std::tuple(file->laps, file->objectBytes), std::tuple(12, testing::bytes({0x17, 0x41, 0x0A, 0x8C})));
        track::ObjectWidthTable widths{};
        widths.fill(16);
        const auto filled = TrackFileObjects(*file, 2, widths, "t.track");
        QCOMPARE(filled->size(), 3 + 116); // track 2 holds 120 bytes
        const TrackFile full{1, QByteArray(119, 5) + testing::bytes({0x41, 3})};
        QCOMPARE(TrackFileObjects(full, 2, widths, "t.track")->size(), 120);
        const TrackFile over{1, QByteArray(121, 5)};
        QCOMPARE(TrackFileObjects(over, 2, widths, "t.track").error(), "“t.track” holds 121 bytes of objects, but track 2 has room for 120. Nothing was imported.");
    }
};

QTEST_GUILESS_MAIN(TestTrackFile)
#include "tst_track_file.moc"
