#include "image_builder.h"
#include "image_promises.h"
#include "object_replacement.h"
#include "track_codec.h"
#include "track_invariants.h"
#include "track_io.h"

#include <QTemporaryDir>
#include <QTest>

using namespace whoopline;
using namespace whoopline::testing;
using namespace whoopline::track;

namespace {

ObjectWidthTable widths()
{
    ObjectWidthTable table{};
    table.fill(32);
    return table;
}

} // namespace

// Faults the edit road found, each kept here as the smallest case that showed it.
class TestEditRegressions : public QObject
{
    Q_OBJECT

private slots:
    // The last span's length was the byte after the region. Made a one-byte object, it used to
    // leave an object 0 outside the region: a save was refused unless that byte happened to be
    // 0, and then the next load found one object fewer than the editor showed.
    void lastSpanOnTheBudgetsLastByteBecomesOneByte_data()
    {
        QTest::addColumn<int>("track");
        QTest::addColumn<int>("byteAfter");
        QTest::newRow("track 1, track 3's laps byte after it") << 1 << 4;
        QTest::newRow("track 5, byte 0 after it") << 5 << 0;
        QTest::newRow("track 5, byte 9 after it") << 5 << 9;
    }
    void lastSpanOnTheBudgetsLastByteBecomesOneByte()
    {
        QFETCH(int, track);
        QFETCH(int, byteAfter);
        const Position start = trackStartPosition(track);
        const int budget = trackByteBudget(track);
        ImageBuilder image;
        for (int t = 1; t <= TrackCount; ++t)
            image.set(trackStartPosition(t), 3)
                .fill(trackStartPosition(t) + 1, trackByteBudget(t), 0x05);
        image.set(start + budget, 0x44).set(start + budget + 1, byteAfter);
        QTemporaryDir dir;
        const QString path = image.write(dir);

        const auto loaded = ReadTrack(path, track, widths());
        QVERIFY2(loaded.ok(), qPrintable(loaded.error()));
        QCOMPARE(ByteTotal(loaded->objects), budget + 1);
        TrackModel model{loaded->objects, track, int(loaded->objects.size()) - 1};
        const Status replaced = edit::ReplaceCurrentObject(model, 0x09, 0, widths());
        QVERIFY2(replaced.ok(), qPrintable(replaced.error()));
        QCOMPARE(model.TrackObjects.size(), loaded->objects.size());
        QCOMPARE(model.TrackObjects.last().Bytes, QByteArray("\x09", 1));
        QCOMPARE(ByteTotal(model.TrackObjects), budget);
        const QString violation = TrackInvariantViolation(model.TrackObjects, widths());
        QVERIFY2(violation.isEmpty(), qPrintable(violation));

        const Status saved = WriteTrack(path, track, loaded->laps, model.TrackObjects);
        QVERIFY2(saved.ok(), qPrintable(saved.error()));
        const QByteArray after = readWholeFile(path);
        QCOMPARE(ChangeOutsideTrackRegion(image.bytes(), after, track), QString());
        QCOMPARE(quint8(after.at(offsetOf(start + budget))), quint8(0x09));
        const auto reloaded = ReadTrack(path, track, widths());
        QVERIFY2(reloaded.ok(), qPrintable(reloaded.error()));
        QCOMPARE(reloaded->objects, model.TrackObjects);
    }
};

QTEST_GUILESS_MAIN(TestEditRegressions)
#include "tst_edit_regressions.moc"
