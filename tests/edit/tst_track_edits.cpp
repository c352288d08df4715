#include "free_byte_edits.h"
#include "image_builder.h"
#include "track_codec.h"
#include "object_replacement.h"
#include "track_edit_command.h"

#include <QTest>
#include <QUndoStack>

using namespace whoopline;
using namespace whoopline::edit;
using testing::bytes;

namespace {

using ByteList = QList<QByteArray>;

// Widths that differ between neighbouring ids, so a width taken from the wrong id shows.
track::ObjectWidthTable distinctWidths()
{
    track::ObjectWidthTable widths{};
    for (int id = 0; id < 50; ++id)
        widths[id] = 16 * (1 + id % 4);
    return widths;
}

track::TrackModel modelOf(const ByteList &objects, int current, int track = 3)
{
    track::TrackModel model{{}, track, current};
    for (const QByteArray &bytes : objects)
        model.TrackObjects.append(track::MakeTrackObject(bytes, distinctWidths()));
    return model;
}

ByteList bytesOf(const track::TrackModel &model)
{
    ByteList bytes;
    for (const track::TrackObject &object : model.TrackObjects)
        bytes.append(object.Bytes);
    return bytes;
}

} // namespace

class TestTrackEdits : public QObject
{
    Q_OBJECT

private slots:
    // On tracks as loads give them: their objects fill the budget (129, 120, 144, 212, 187 for
    // tracks 1..5), or pass it by the length byte of a span on its last byte. Each edit is one
    // undo step that restores the track exactly; a change that changes nothing is none.
    void editKeepsTheRegionFull_data()
    {
        QTest::addColumn<ByteList>("before");
        QTest::addColumn<int>("track");
        QTest::addColumn<int>("current");
        QTest::addColumn<QString>("edit");
        QTest::addColumn<ByteList>("after");

        const ByteList head = {bytes({0x05}), bytes({0x44, 0x07}), bytes({0x09})};
        QTest::newRow("insert takes the last free byte")
            << head + ByteList(116, bytes({0})) << 2 << 1 << "insert"
            << ByteList{bytes({5}), bytes({0}), bytes({0x44, 7}), bytes({9})} + ByteList(115, bytes({0}));
        QTest::newRow("insert at the last free byte")
            << head + ByteList(141, bytes({0})) << 3 << 143 << "insert" << head + ByteList(141, bytes({0}));
        QTest::newRow("delete of a span appends two objects 0")
            << head + ByteList(125, bytes({0})) << 1 << 1 << "delete"
            << ByteList{bytes({5}), bytes({9})} + ByteList(127, bytes({0}));
        QTest::newRow("delete of the last object, a span past the region, refills the region")
            << ByteList(211, bytes({0x0C})) + ByteList{bytes({0x44, 9})} << 4 << 211 << "delete"
            << ByteList(211, bytes({0x0C})) + ByteList{bytes({0})};
        QTest::newRow("span over a span pads with an object 0")
            << ByteList{bytes({5}), bytes({0x41, 2}), bytes({9})} + ByteList(140, bytes({0})) << 3 << 0 << "replace"
            << ByteList{bytes({0x46, 3}), bytes({9})} + ByteList(141, bytes({0}));
    }
    void editKeepsTheRegionFull()
    {
        QFETCH(ByteList, before);
        QFETCH(int, track);
        QFETCH(int, current);
        QFETCH(QString, edit);
        QFETCH(ByteList, after);

        const TrackEditState loaded{modelOf(before, current, track), 7};
        TrackEditState shown = loaded, changed = loaded;
        const Status status = edit == "insert" ? InsertObject(changed.track, distinctWidths())
                              : edit == "delete"
                                  ? DeleteCurrentObject(changed.track, distinctWidths())
                                  : ReplaceCurrentObject(changed.track, 0x46, 3, distinctWidths());
        QVERIFY(status.ok());
        QUndoStack stack;
        PushTrackEdit(stack, TrackEditKind::InsertObject, loaded, changed,
                      [&](const TrackEditState &state) { shown = state; });
        QCOMPARE(bytesOf(shown.track), after);
        QCOMPARE(shown.track.CurrentObject, current);
        QCOMPARE(stack.count(), after == before ? 0 : 1);
        stack.undo();
        QVERIFY(shown == loaded);
        stack.redo();
        QVERIFY(shown == changed);
    }
};

QTEST_GUILESS_MAIN(TestTrackEdits)
#include "tst_track_edits.moc"
