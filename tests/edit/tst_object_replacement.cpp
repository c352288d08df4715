#include "image_builder.h"
#include "model_fixture.h"
#include "object_replacement.h"
#include "track_invariants.h"
#include "track_io.h"

#include <QTest>

using namespace whoopline;
using namespace whoopline::edit;
using namespace whoopline::testing;
using WidthList = QList<int>;

namespace {

WidthList widthsOf(const track::TrackModel &model)
{
    WidthList widths;
    for (const track::TrackObject &object : model.TrackObjects)
        widths.append(object.Width);
    return widths;
}

// byteTotal bytes of objects: one-byte 0x0C objects, then the given tail.
ByteList trackOfBytes(int byteTotal, const ByteList &tail)
{
    qsizetype tailBytes = 0;
    for (const QByteArray &bytes : tail)
        tailBytes += bytes.size();
    return ByteList(byteTotal - tailBytes, b({0x0C})) + tail;
}

#define VERIFY_INVARIANTS(model)                                                                   \
    do {                                                                                           \
        const QString violation = TrackInvariantViolation((model).TrackObjects, distinctWidths()); \
        QVERIFY2(violation.isEmpty(), qPrintable(violation));                                      \
    } while (false)

} // namespace

class TestObjectReplacement : public QObject
{
    Q_OBJECT

private slots:
    void replacesCurrentObject_data()
    {
        QTest::addColumn<ByteList>("before");
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("length");
        QTest::addColumn<ByteList>("after");
        QTest::addColumn<WidthList>("widths");

        const ByteList example = {b({0x05}), b({0x0C}), b({0x40, 0x03}), b({0x09})};
        QTest::newRow("one byte to span takes the next object's place")
            << example << 0 << 0x42 << 4 << ByteList{b({0x42, 0x04}), b({0x40, 0x03}), b({0x09})}
            << WidthList{64, 48, 32};
        QTest::newRow("span to one byte leaves an empty object after it")
            << example << 2 << 0x0C << 99 << ByteList{b({5}), b({12}), b({12}), b({0}), b({9})}
            << WidthList{32, 16, 16, 16, 32};
        QTest::newRow("one byte to span removes a whole span after it")
            << ByteList{b({0x05}), b({0x41, 0x02}), b({0x09})} << 0 << 0x46 << 3
            << ByteList{b({0x46, 0x03}), b({0x09})} << WidthList{48, 32};
        QTest::newRow("span of length 0") << example << 2 << 0x43 << 0
                                          << ByteList{b({5}), b({12}), b({0x43, 0}), b({9})}
                                          << WidthList{32, 16, 0, 32};
        QTest::newRow("span of length 255") << ByteList{b({0x44, 0x07})} << 0 << 0x40 << 255
                                            << ByteList{b({0x40, 0xFF})} << WidthList{4080};
        QTest::newRow("marked object comes out unmarked")
            << ByteList{b({0x0C}), b({0x85})} << 1 << 0x09 << 0 << ByteList{b({0x0C}), b({0x09})}
            << WidthList{16, 32};
        QTest::newRow("last object grows into a region with room")
            << trackOfBytes(143, {b({0x44, 0x02}), b({0x07})}) << 141 << 0x41 << 5
            << trackOfBytes(144, {b({0x44, 0x02}), b({0x41, 0x05})})
            << WidthList(140, 16) + WidthList{32, 80};
        QTest::newRow("last span shrinks") << ByteList{b({0x05}), b({0x44, 0x02})} << 1 << 0x31 << 0
                                           << ByteList{b({5}), b({0x31}), b({0})}
                                           << WidthList{32, 32, 16};
    }
    void replacesCurrentObject()
    {
        QFETCH(ByteList, before);
        QFETCH(int, current);
        QFETCH(int, number);
        QFETCH(int, length);
        QFETCH(ByteList, after);
        QFETCH(WidthList, widths);

        track::TrackModel model = modelOf(before, current);
        const Status status = ReplaceCurrentObject(model, number, length, distinctWidths());
        QVERIFY2(status.ok(), qPrintable(status.error()));
        QCOMPARE(bytesOf(model), after);
        QCOMPARE(widthsOf(model), widths);
        QCOMPARE(model.CurrentObject, current);
        VERIFY_INVARIANTS(model);
    }

    void refusesWhatTheTrackCannotTake_data()
    {
        QTest::addColumn<ByteList>("objects");
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("track");
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("message");

        const ByteList two = {b({0x05}), b({0x44, 0x07})};
        QTest::newRow("no track loaded") << ByteList{} << 0 << 0 << 5 << 0 << "No track is loaded";
        QTest::newRow("one-byte number past the tables") << two << 0 << 3 << 50 << 0 << "number 50";
        QTest::newRow("negative number") << two << 1 << 3 << -1 << 0 << "number -1";
        QTest::newRow("number with the mark") << two << 0 << 3 << 0x85 << 0 << "number 133";
        QTest::newRow("span length past a byte") << two << 1 << 3 << 0x40 << 256 << "0 to 255";
        QTest::newRow("negative span length") << two << 0 << 3 << 0x42 << -1 << "0 to 255";
        QTest::newRow("last object of a full track")
            << trackOfBytes(144, {b({0x05})}) << 143 << 3 << 0x40 << 1
            << "track 3 can't become a two-byte object: there is no object after it to make room, "
               "and the track would need 145 bytes where its region holds 144.";
        QTest::newRow("last object, no track") << ByteList{b({5})} << 0 << 0 << 0x40 << 1
                                               << "no track region";
    }
    void refusesWhatTheTrackCannotTake()
    {
        QFETCH(ByteList, objects);
        QFETCH(int, current);
        QFETCH(int, track);
        QFETCH(int, number);
        QFETCH(int, length);
        QFETCH(QString, message);

        track::TrackModel model = modelOf(objects, current, track);
        const Status status = ReplaceCurrentObject(model, number, length, distinctWidths());
        QVERIFY2(!status.ok() && status.error().contains(message), qPrintable(status.error()));
        QCOMPARE(bytesOf(model), objects);
        QCOMPARE(model.CurrentObject, current);
    }

    void togglesTheMarkOfOneByteObjects_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("checked");
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<QString>("byteLabel");
        QTest::addColumn<QString>("lengthLabel");

        QTest::newRow("mark") << b({0x05}) << true << b({0x85}) << true << "$85" << "";
        QTest::newRow("unmark") << b({0x85}) << false << b({0x05}) << false << "$05" << "";
        QTest::newRow("mark object 0") << b({0x00}) << true << b({0x80}) << true << "$80" << "";
        QTest::newRow("mark a marked one") << b({0x8A}) << true << b({0x8A}) << true << "$8A" << "";
        QTest::newRow("span refuses the mark")
            << b({0x44, 0x07}) << true << b({0x44, 0x07}) << false << "$44" << "7";
        QTest::newRow("span with a high length")
            << b({0x40, 0x85}) << false << b({0x40, 0x85}) << false << "$40" << "133";
    }
    void togglesTheMarkOfOneByteObjects()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, checked);
        QFETCH(QByteArray, after);
        QFETCH(bool, shown);
        QFETCH(QString, byteLabel);
        QFETCH(QString, lengthLabel);

        track::TrackModel model = modelOf({b({0x8C}), bytes, b({0x09})}, 1);
        QCOMPARE(ToggleAlternative(model, checked), shown);
        QCOMPARE(bytesOf(model), (ByteList{b({0x8C}), after, b({0x09})}));
        VERIFY_INVARIANTS(model);
        const CurrentObjectLabels labels = LabelsOfCurrentObject(model);
        QCOMPARE(labels.objectByte, byteLabel);
        QCOMPARE(labels.length, lengthLabel);
    }

    void toggleWithoutATrackShowsUnchecked()
    {
        track::TrackModel model;
        QVERIFY(!ToggleAlternative(model, true));
        QVERIFY(model.TrackObjects.isEmpty());
    }

    // Load, edit, save, load again: the file then holds exactly the edited track.
    void editedTrackSurvivesSaveAndLoad_data()
    {
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("length");
        QTest::newRow("one byte to span") << 0 << 0x42 << 4;
        QTest::newRow("span to one byte") << 2 << 0x0C << 0;
        QTest::newRow("replaced, then marked") << 3 << 0x09 << 0;
    }
    void editedTrackSurvivesSaveAndLoad()
    {
        QFETCH(int, current);
        QFETCH(int, number);
        QFETCH(int, length);

        const Position start = track::trackStartPosition(3);
        QTemporaryDir dir;
        const QString path = ImageBuilder()
                                 .set(start, 4)
                                 .fill(start + 1, 144, 0x0C)
                                 .set(start + 1, {0x05, 0x0C, 0x40, 0x03, 0x89})
                                 .write(dir);
        const auto loaded = track::ReadTrack(path, 3, distinctWidths());
        QVERIFY2(loaded.ok(), qPrintable(loaded.error()));
        track::TrackModel model{loaded->objects, 3, current};
        QVERIFY(ReplaceCurrentObject(model, number, length, distinctWidths()).ok());
        ToggleAlternative(model, true);
        VERIFY_INVARIANTS(model);

        const Status saved = track::WriteTrack(path, 3, loaded->laps, model.TrackObjects);
        QVERIFY2(saved.ok(), qPrintable(saved.error()));
        const auto reloaded = track::ReadTrack(path, 3, distinctWidths());
        QVERIFY2(reloaded.ok(), qPrintable(reloaded.error()));
        QCOMPARE(reloaded->objects, model.TrackObjects);
    }
};

QTEST_GUILESS_MAIN(TestObjectReplacement)
#include "tst_object_replacement.moc"
