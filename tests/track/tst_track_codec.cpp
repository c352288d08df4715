#include "track_codec.h"

#include <QTest>

using namespace whoopline;
using namespace whoopline::track;

Q_DECLARE_METATYPE(whoopline::track::TrackObject)

namespace {

// Widths that differ per id, so that a wrong id or a wrong table entry shows: id 5 is 26 wide.
const ObjectWidthTable Widths = [] {
    ObjectWidthTable widths{};
    for (int id = 0; id < ObjectIdCount; ++id)
        widths[id] = 16 + 2 * id;
    return widths;
}();

} // namespace

namespace whoopline::track {
// "40 05 / 2 bytes / 80 wide / marked", for a failing comparison.
char *toString(const TrackObject &o)
{
    return QTest::toString(QStringLiteral("%1, %2 bytes, %3 wide, marked %4")
                               .arg(QString::fromLatin1(o.Bytes.toHex(' ')),
                                    QString::number(o.ByteCount), QString::number(o.Width),
                                    QString::number(o.Alternative)));
}
} // namespace whoopline::track

class TestTrackCodec : public QObject
{
    Q_OBJECT

private slots:
    // budget: the bytes before it are the region; a byte after it is the byte after the region.
    // Either the objects are expected, or the message of the refusal.
    void decodesObjects_data()
    {
        QTest::addColumn<QByteArray>("objectBytes");
        QTest::addColumn<int>("budget");
        QTest::addColumn<TrackObjectList>("objects");
        QTest::addColumn<QString>("message");
        const auto row = [](const char *name, const QByteArray &hex, int budget,
                            const TrackObjectList &objects, const QString &message = {}) {
            QTest::newRow(name) << QByteArray::fromHex(hex) << budget << objects << message;
        };
        row("all-zero region", QByteArray(130, '\0').toHex(), 129,
            TrackObjectList(129, {1, QByteArray(1, '\0'), 16}));
        row("span then a marked id 5", "4005 85", 3, {{2, "\x40\x05", 80}, {1, "\x85", 26, true}});
        row("span of length $85 is 2128 wide and unmarked", "4085", 2, {{2, "\x40\x85", 2128}});
        row("last span code, last known id", "4601 31", 3, {{2, "\x46\x01", 16}, {1, "\x31", 114}});
        row("marked last known id, marked 0", "b1 80", 2,
            {{1, "\xB1", 114, true}, {1, "\x80", 16, true}});
        row("a span's length that looks like a span code is a length", "01 4044 02", 4,
            {{1, "\x01", 18}, {2, "\x40\x44", 1088}, {1, "\x02", 20}});
        row("span on the budget's last byte takes the byte after the region", "01 02 4409", 3,
            {{1, "\x01", 18}, {1, "\x02", 20}, {2, "\x44\x09", 144}});
        row("the byte after the region is ignored when not needed", "01 4003 c3", 3,
            {{1, "\x01", 18}, {2, "\x40\x03", 48}});
        const QString unknown = "object %1 has the code %2, which is not a known object.";
        row("$C3, counted in objects, not bytes", "4002 01010101010101010101010101010101 c3 00", 20,
            {}, unknown.arg(17).arg("$C3"));
        row("$C0 is no span code", "c005", 2, {}, unknown.arg(0).arg("$C0"));
        row("id 50, the first unknown", "3132", 2, {}, unknown.arg(1).arg("$32"));
        row("$3F, just before the span codes", "3f", 1, {}, unknown.arg(0).arg("$3F"));
        row("$47, just after them", "47", 1, {}, unknown.arg(0).arg("$47"));
        row("the byte after the region is missing", "0045", 2, {},
            "object 1 (code $45) starts on the region's last byte, and its length, the byte after "
            "the region, is missing.");
        row("fewer bytes than the budget", "0001", 3, {},
            "only 2 of its 3 object bytes were given.");
    }
    void decodesObjects()
    {
        QFETCH(QByteArray, objectBytes);
        QFETCH(int, budget);
        QFETCH(TrackObjectList, objects);
        QFETCH(QString, message);
        const auto decoded = DecodeTrackObjects(objectBytes, budget, Widths);
        QCOMPARE(decoded.error(), message);
        if (!decoded.ok())
            return;
        QCOMPARE(*decoded, objects);
        // Encoding gives back exactly the bytes the objects were taken from.
        const int total = ByteTotal(objects);
        QCOMPARE(EncodeTrackObjects(objects), objectBytes.left(total));
        QCOMPARE(NeedsByteAfterRegion(objectBytes, budget), total == budget + 1);
    }
};

QTEST_GUILESS_MAIN(TestTrackCodec)
#include "tst_track_codec.moc"
