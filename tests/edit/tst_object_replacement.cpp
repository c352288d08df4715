#include "model_fixture.h"
#include "object_replacement.h"
#include "track_invariants.h"

#include <QTest>

using namespace whoopline;
using namespace whoopline::edit;
using namespace whoopline::testing;

class TestObjectReplacement : public QObject
{
    Q_OBJECT

private slots:
    // An empty message: the replacement succeeds. Otherwise it is refused with a message that
    // holds the text given, and the track stays as it was.
    void replacesCurrentObject_data()
    {
        QTest::addColumn<ByteList>("before");
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("track");
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("length");
        QTest::addColumn<ByteList>("after");
        QTest::addColumn<QString>("message");

        const ByteList example = {b({0x05}), b({0x0C}), b({0x40, 0x03}), b({0x09})};
        const ByteList two = {b({0x05}), b({0x44, 0x07})};
        const ByteList fill(140, b({0x0C})); // track 3 holds 144 bytes
        // 143 objects in 144 bytes: the room counts bytes, not objects.
        const ByteList full = ByteList(141, b({0x0C})) + ByteList{b({0x44, 0x02}), b({0x05})};
        QTest::newRow("one byte to span takes the next object's place")
            << example << 0 << 3 << 0x42 << 4
            << ByteList{b({0x42, 0x04}), b({0x40, 0x03}), b({0x09})} << "";
        QTest::newRow("span to one byte leaves an empty object after it")
            << example << 2 << 3 << 0x0C << 99 << ByteList{b({5}), b({12}), b({12}), b({0}), b({9})}
            << "";
        QTest::newRow("one byte to span removes a whole span after it")
            << ByteList{b({0x05}), b({0x41, 0x02}), b({0x09})} << 0 << 3 << 0x46 << 3
            << ByteList{b({0x46, 0x03}), b({0x09}), b({0})} << "";
        QTest::newRow("span to span of length 0")
            << example << 2 << 3 << 0x43 << 0 << ByteList{b({5}), b({12}), b({0x43, 0}), b({9})}
            << "";
        QTest::newRow("span of length 255")
            << two << 1 << 3 << 0x40 << 255 << ByteList{b({5}), b({0x40, 0xFF})} << "";
        QTest::newRow("marked object comes out unmarked")
            << ByteList{b({0x0C}), b({0x85})} << 1 << 3 << 0x09 << 0
            << ByteList{b({0x0C}), b({0x09})} << "";
        QTest::newRow("last object grows to fill the region")
            << fill + ByteList{b({0x44, 0x02}), b({0x07})} << 141 << 3 << 0x41 << 5
            << fill + ByteList{b({0x44, 0x02}), b({0x41, 0x05})} << "";
        QTest::newRow("last span becomes the highest one-byte number")
            << two << 1 << 3 << 0x31 << 0 << ByteList{b({5}), b({0x31}), b({0})} << "";

        QTest::newRow("no track loaded")
            << ByteList{} << 0 << 0 << 5 << 0 << ByteList{} << "No track is loaded";
        QTest::newRow("one-byte number past the tables")
            << two << 0 << 3 << 50 << 0 << two << "number 50";
        QTest::newRow("negative number") << two << 1 << 3 << -1 << 0 << two << "number -1";
        QTest::newRow("span length past a byte")
            << two << 1 << 3 << 0x40 << 256 << two << "0 to 255";
        QTest::newRow("negative span length") << two << 0 << 3 << 0x46 << -1 << two << "0 to 255";
        QTest::newRow("last object of a full track")
            << full << 142 << 3 << 0x40 << 1 << full
            << "track 3 can't become a two-byte object: there is no object after it to make room, "
               "and the track would need 145 bytes where its region holds 144.";
        QTest::newRow("last object, no track region")
            << ByteList{b({5})} << 0 << 0 << 0x40 << 1 << ByteList{b({5})} << "no track region";
    }
    void replacesCurrentObject()
    {
        QFETCH(ByteList, before);
        QFETCH(int, current);
        QFETCH(int, track);
        QFETCH(int, number);
        QFETCH(int, length);
        QFETCH(ByteList, after);
        QFETCH(QString, message);

        track::TrackModel model = modelOf(before, current, track);
        const Status status = ReplaceCurrentObject(model, number, length, distinctWidths());
        QVERIFY2(status.ok() == message.isEmpty() && status.error().contains(message),
                 qPrintable(status.error()));
        QCOMPARE(bytesOf(model), after);
        QCOMPARE(TrackInvariantViolation(model.TrackObjects, distinctWidths()), QString());
        QCOMPARE(model.CurrentObject, current);
    }

    // The box asks for a state rather than a flip: object 0 takes the mark like any other, and
    // asking for it twice keeps it.
    void setsTheMarkTheBoxAsksFor()
    {
        track::TrackModel model = modelOf({b({0x8C}), b({0x00}), b({0x09})}, 1);
        for (int click = 0; click < 2; ++click) {
            QVERIFY(ToggleAlternative(model, true));
            QCOMPARE(bytesOf(model), (ByteList{b({0x8C}), b({0x80}), b({0x09})}));
        }
        QCOMPARE(TrackInvariantViolation(model.TrackObjects, distinctWidths()), QString());
    }
};

QTEST_GUILESS_MAIN(TestObjectReplacement)
#include "tst_object_replacement.moc"
