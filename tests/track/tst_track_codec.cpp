#include "track_codec.h"
#include "track_invariants.h"

#include <QTest>

using namespace whoopline;
using namespace whoopline::testing;
using namespace whoopline::track;

Q_DECLARE_METATYPE(whoopline::track::TrackObject)

namespace {

// Widths that differ per id, so that a wrong id or a wrong table entry shows.
ObjectWidthTable testWidths()
{
    ObjectWidthTable widths{};
    for (int id = 0; id < ObjectIdCount; ++id)
        widths[id] = 16 + 2 * id;
    return widths;
}

QByteArray bytesOf(std::initializer_list<int> values)
{
    QByteArray bytes;
    for (int value : values)
        bytes.append(char(value));
    return bytes;
}

QString listText(const TrackObjectList &objects)
{
    QStringList parts;
    for (const TrackObject &object : objects)
        parts << QStringLiteral("%1:%2:%3:%4")
                     .arg(QString::fromLatin1(object.Bytes.toHex()))
                     .arg(object.ByteCount)
                     .arg(object.Width)
                     .arg(object.Alternative ? 1 : 0);
    return parts.join(QLatin1Char(' '));
}

} // namespace

class TestTrackCodec : public QObject
{
    Q_OBJECT

private slots:
    void makesConsistentObjects_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("width");
        QTest::addColumn<bool>("alternative");
        QTest::newRow("id 0") << bytesOf({0x00}) << 16 << false;
        QTest::newRow("id 5 marked") << bytesOf({0x85}) << 26 << true;
        QTest::newRow("id 49, the last known") << bytesOf({0x31}) << 114 << false;
        QTest::newRow("id 49 marked") << bytesOf({0xB1}) << 114 << true;
        QTest::newRow("first span code") << bytesOf({0x40, 0x05}) << 80 << false;
        QTest::newRow("last span code") << bytesOf({0x46, 0x01}) << 16 << false;
        QTest::newRow("span, length with bit 7") << bytesOf({0x40, 0x85}) << 2128 << false;
        QTest::newRow("span of length 0") << bytesOf({0x43, 0x00}) << 0 << false;
        QTest::newRow("span of length 255") << bytesOf({0x44, 0xFF}) << 4080 << false;
    }
    void makesConsistentObjects()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, width);
        QFETCH(bool, alternative);
        const ObjectWidthTable widths = testWidths();
        const TrackObject object = MakeTrackObject(bytes, widths);
        QCOMPARE(object.Bytes, bytes);
        QCOMPARE(object.ByteCount, bytes.size());
        QCOMPARE(object.Width, width);
        QCOMPARE(object.Alternative, alternative);
        const QString violation = TrackInvariantViolation({object}, widths);
        QVERIFY2(violation.isEmpty(), qPrintable(violation));
    }

    void formatsBytesAsTheEditorShowsThem()
    {
        QCOMPARE(FormatObjectByte(0x0A), QStringLiteral("$0A"));
        QCOMPARE(FormatObjectByte(0x85), QStringLiteral("$85"));
        QCOMPARE(FormatObjectByte(0xC3), QStringLiteral("$C3"));
        QCOMPARE(FormatObjectByte(0), QStringLiteral("$00"));
    }

    void decodesAnAllZeroRegionAsObjectsZero_data()
    {
        QTest::addColumn<int>("budget");
        for (int track = 1; track <= TrackCount; ++track)
            QTest::addRow("track %d", track) << trackByteBudget(track);
    }
    void decodesAnAllZeroRegionAsObjectsZero()
    {
        QFETCH(int, budget);
        const ObjectWidthTable widths = testWidths();
        const auto objects = DecodeTrackObjects(QByteArray(budget + 1, '\0'), budget, widths);
        QVERIFY2(objects.ok(), qPrintable(objects.error()));
        QCOMPARE(objects->size(), budget);
        for (const TrackObject &object : *objects)
            QCOMPARE(object, MakeTrackObject(bytesOf({0}), widths));
        QCOMPARE(ByteTotal(*objects), budget);
    }

    // budget: the bytes before it are the region; any byte after it is the byte after the region.
    void decodesObjects_data()
    {
        QTest::addColumn<QByteArray>("objectBytes");
        QTest::addColumn<int>("budget");
        QTest::addColumn<QString>("expected"); // hex bytes:ByteCount:Width:Alternative per object
        QTest::newRow("span then a marked id 5")
            << bytesOf({0x40, 0x05, 0x85}) << 3 << "4005:2:80:0 85:1:26:1";
        QTest::newRow("span of length $85 is 2128 wide and unmarked")
            << bytesOf({0x40, 0x85}) << 2 << "4085:2:2128:0";
        QTest::newRow("every span code")
            << bytesOf({0x40, 1, 0x41, 2, 0x42, 3, 0x43, 4, 0x44, 5, 0x45, 6, 0x46, 7}) << 14
            << "4001:2:16:0 4102:2:32:0 4203:2:48:0 4304:2:64:0 4405:2:80:0 4506:2:96:0 "
               "4607:2:112:0";
        QTest::newRow("the codes around the spans are one-byte objects")
            << bytesOf({0x1F, 0x31, 0xB1, 0x80}) << 4
            << "1f:1:78:0 31:1:114:0 b1:1:114:1 80:1:16:1";
        QTest::newRow("a span's length that looks like a span code is a length")
            << bytesOf({0x01, 0x40, 0x44, 0x02}) << 4 << "01:1:18:0 4044:2:1088:0 02:1:20:0";
        QTest::newRow("span on the budget's last byte takes the byte after the region")
            << bytesOf({0x01, 0x02, 0x44, 0x09}) << 3 << "01:1:18:0 02:1:20:0 4409:2:144:0";
        QTest::newRow("span on the last byte whose length looks like a span code")
            << bytesOf({0x42, 0x46}) << 1 << "4246:2:1120:0";
        QTest::newRow("the byte after the region is ignored when not needed")
            << bytesOf({0x01, 0x40, 0x03, 0xC3}) << 3 << "01:1:18:0 4003:2:48:0";
        QTest::newRow("a span that ends on the last byte needs nothing after")
            << bytesOf({0x01, 0x40, 0x03}) << 3 << "01:1:18:0 4003:2:48:0";
    }
    void decodesObjects()
    {
        QFETCH(QByteArray, objectBytes);
        QFETCH(int, budget);
        QFETCH(QString, expected);
        const ObjectWidthTable widths = testWidths();
        const auto objects = DecodeTrackObjects(objectBytes, budget, widths);
        QVERIFY2(objects.ok(), qPrintable(objects.error()));
        QCOMPARE(listText(*objects), expected);
        const QString violation = TrackInvariantViolation(*objects, widths);
        QVERIFY2(violation.isEmpty(), qPrintable(violation));

        // Encoding gives back exactly the bytes the objects were taken from.
        const int total = ByteTotal(*objects);
        QVERIFY(total == budget || total == budget + 1);
        QCOMPARE(EncodeTrackObjects(*objects), objectBytes.left(total));
        QCOMPARE(NeedsByteAfterRegion(objectBytes, budget), total == budget + 1);
    }

    // Decoded objects with the same bytes may share them; an edit must change only its own.
    void changingADecodedObjectChangesNoOther()
    {
        const QByteArray region = bytesOf({0x05, 0x05, 0x42, 0x03, 0x42, 0x03});
        const ObjectWidthTable widths = testWidths();
        auto objects = DecodeTrackObjects(region, int(region.size()), widths);
        QVERIFY2(objects.ok(), qPrintable(objects.error()));

        objects.value()[0].Bytes[0] = char(0x85);
        objects.value()[2].Bytes[1] = char(0x09);
        QCOMPARE(objects->at(0).Bytes, bytesOf({0x85}));
        QCOMPARE(objects->at(1).Bytes, bytesOf({0x05}));
        QCOMPARE(objects->at(2).Bytes, bytesOf({0x42, 0x09}));
        QCOMPARE(objects->at(3).Bytes, bytesOf({0x42, 0x03}));

        const auto again = DecodeTrackObjects(region, int(region.size()), widths);
        QVERIFY2(again.ok(), qPrintable(again.error()));
        QCOMPARE(listText(*again), QStringLiteral("05:1:26:0 05:1:26:0 4203:2:48:0 4203:2:48:0"));
    }

    void rejectsWhatTheModelCannotHold_data()
    {
        QTest::addColumn<QByteArray>("objectBytes");
        QTest::addColumn<int>("budget");
        QTest::addColumn<QString>("message");
        QByteArray seventeenth =
            bytesOf({0x40, 0x02}) + QByteArray(16, '\x01') + bytesOf({0xC3, 0});
        QTest::newRow("$C3 counted in objects, not bytes")
            << seventeenth << 20 << "object 17 has the code $C3, which is not a known object.";
        QTest::newRow("$C0 is no span, and id 64 is unknown")
            << bytesOf({0xC0, 0x05}) << 2
            << "object 0 has the code $C0, which is not a known object.";
        QTest::newRow("id 50, the first unknown")
            << bytesOf({0x31, 0x32}) << 2
            << "object 1 has the code $32, which is not a known object.";
        QTest::newRow("id 50 marked")
            << bytesOf({0xB2}) << 1 << "object 0 has the code $B2, which is not a known object.";
        QTest::newRow("$47, just past the span codes")
            << bytesOf({0x47}) << 1 << "object 0 has the code $47, which is not a known object.";
        QTest::newRow("$3F, just before them")
            << bytesOf({0x3F}) << 1 << "object 0 has the code $3F, which is not a known object.";
        QTest::newRow("the byte after the region is missing")
            << bytesOf({0x00, 0x45}) << 2
            << "object 1 (code $45) starts on the region's last byte, and its length, the byte "
               "after "
               "the region, is missing.";
        QTest::newRow("fewer bytes than the budget")
            << bytesOf({0x00, 0x01}) << 3 << "only 2 of its 3 object bytes were given.";
    }
    void rejectsWhatTheModelCannotHold()
    {
        QFETCH(QByteArray, objectBytes);
        QFETCH(int, budget);
        QFETCH(QString, message);
        const auto objects = DecodeTrackObjects(objectBytes, budget, testWidths());
        QVERIFY(!objects.ok());
        QCOMPARE(objects.error(), message);
    }

    void encodesInIndexOrderWithoutFilling()
    {
        const ObjectWidthTable widths = testWidths();
        const TrackObjectList objects = {MakeTrackObject(bytesOf({0x05}), widths),
                                         MakeTrackObject(bytesOf({0x42, 0x04}), widths),
                                         MakeTrackObject(bytesOf({0x89}), widths)};
        QCOMPARE(EncodeTrackObjects(objects), bytesOf({0x05, 0x42, 0x04, 0x89}));
        QCOMPARE(ByteTotal(objects), 4);
        QCOMPARE(EncodeTrackObjects({}), QByteArray());
        QCOMPARE(ByteTotal({}), 0);
    }

    // The checker that other tests rely on must catch each broken invariant.
    void invariantCheckerFindsEachViolation_data()
    {
        const ObjectWidthTable widths = testWidths();
        QTest::addColumn<TrackObject>("object");
        QTest::addColumn<QString>("reason");
        TrackObject object = MakeTrackObject(bytesOf({0x05}), widths);
        object.ByteCount = 2;
        QTest::newRow("ByteCount differs") << object << "ByteCount differs";
        object = MakeTrackObject(bytesOf({0x05}), widths);
        object.Bytes.append('\x01');
        object.ByteCount = 2;
        QTest::newRow("two bytes without a span code") << object << "needs ByteCount 1";
        object = MakeTrackObject(bytesOf({0x42, 0x03}), widths);
        object.Bytes.chop(1);
        object.ByteCount = 1;
        QTest::newRow("span code with one byte") << object << "needs ByteCount 2";
        object = MakeTrackObject(bytesOf({0x42, 0x03}), widths);
        object.Width = 3;
        QTest::newRow("span width") << object << "16 x its length, 48";
        object = MakeTrackObject(bytesOf({0x42, 0x03}), widths);
        object.Alternative = true;
        QTest::newRow("marked span") << object << "cannot be marked";
        object = MakeTrackObject(bytesOf({0x07}), widths);
        object.Width = 16;
        QTest::newRow("table width") << object << "table width of id 7, 30";
        object = MakeTrackObject(bytesOf({0x87}), widths);
        object.Alternative = false;
        QTest::newRow("mark lost") << object << "bit 7 of the code, true";
        object = MakeTrackObject(bytesOf({0x07}), widths);
        object.Alternative = true;
        QTest::newRow("mark without the bit") << object << "bit 7 of the code, false";
        object = MakeTrackObject(bytesOf({0x07}), widths);
        object.Bytes[0] = char(0xC3);
        QTest::newRow("unknown id") << object << "id 67 lies outside 0..49";
        QTest::newRow("no bytes") << TrackObject{} << "no bytes";
    }
    void invariantCheckerFindsEachViolation()
    {
        QFETCH(TrackObject, object);
        QFETCH(QString, reason);
        const ObjectWidthTable widths = testWidths();
        const TrackObject good = MakeTrackObject(bytesOf({0x01}), widths);
        const QString violation = TrackInvariantViolation({good, good, object, good}, widths);
        QVERIFY2(violation.startsWith(QStringLiteral("object 2 ")), qPrintable(violation));
        QVERIFY2(violation.contains(reason), qPrintable(violation));
        QCOMPARE(TrackInvariantViolation({good, good}, widths), QString());
    }
};

QTEST_GUILESS_MAIN(TestTrackCodec)
#include "tst_track_codec.moc"
