#include "edit/object_clipboard.h"
#include "edit/object_replacement.h"
#include "edit/object_run_edits.h"
#include "edit/object_selection.h"
#include "image_builder.h"
#include "track/track_codec.h"
#include "track_invariants.h"

#include <QUndoStack>
#include <QtTest>
#include <QMimeData>

using namespace whoopline;
using namespace whoopline::edit;

namespace {

const track::ObjectWidthTable Widths = [] { track::ObjectWidthTable widths; widths.fill(32); return widths; }();

// Objects written as hex, one object a word: "05 4003 0c".
TrackEditState stateOf(const QString &objects, int track, int current, int anchor)
{
    TrackEditState state{{{}, track, current}, 3, anchor};
    for (const QString &word : objects.split(' ', Qt::SkipEmptyParts))
        state.track.TrackObjects.append(track::MakeTrackObject(QByteArray::fromHex(word.toLatin1()), Widths));
    return state;
}

struct RunEdit { QString before; int track, current, anchor;
                 QString edit, bytes, after, selected, message; };

} // namespace

Q_DECLARE_METATYPE(RunEdit)

class TestStretch : public QObject
{
    Q_OBJECT

private slots:
    // Steps on "05 4003 0c 09 4102 85" from object 0: an index to click or step to, "s" before it
    // when Shift is held. Then the run "first..last" and the status text.
    void selectsARun_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("run");
        QTest::newRow("shift extends from the old current") << "1 s3" << "1..3: 3 objects selected (4 bytes)";
        QTest::newRow("back past the anchor") << "3 s4 s1" << "1..3: 3 objects selected (4 bytes)";
        QTest::newRow("a plain step collapses") << "1 s3 4" << "4..4: 1 object selected (2 bytes)";
        QTest::newRow("clamped to the start") << "2 s-5" << "0..2: 3 objects selected (4 bytes)";
        QTest::newRow("one one-byte object") << "99" << "5..5: 1 object selected (1 byte)";
    }
    void selectsARun()
    {
        QFETCH(QString, steps);
        QFETCH(QString, run);
        TrackEditState state = stateOf("05 4003 0c 09 4102 85", 2, 0, -1);
        for (const QString &step : steps.split(' '))
            SelectObject(state, step.mid(step.startsWith('s')).toInt(), step.startsWith('s'));
        const ObjectRun selected = SelectedRun(state);
        QCOMPARE(QStringLiteral("%1..%2: %3").arg(selected.first).arg(selected.last()).arg(SelectionText(state)), run);
    }

    // A row's run is current..anchor (-1: the current object alone). bytes: the clipboard's text
    // a paste reads ("=" before hex: our own form alone), the text a cut copies, or the palette's
    // list index. An empty message: the edit succeeds, and undo gives
    // back exactly the track before it.
    void editsARun_data()
    {
        QTest::addColumn<RunEdit>("row");
        const auto row = [](const char *name, const QString &before, int track, int current, int anchor, const char *edit,
                            const char *bytes, const QString &after, const char *selected, const char *message = "") {
            QTest::newRow(name) << RunEdit{before, track, current, anchor, edit, bytes, after, selected, message};
        };
        const char *full = "05 4003 0c 09";
        const QString pastRegion = QString("0c ").repeated(128) + "4404"; // track 1: 129 bytes and 1 after
        const auto refused = [&](const char *name, const char *text, const char *message) {
            row(name, "05 00 00", 2, 0, -1, "paste", text, "05 00 00", "0..0", message);
        };
        row("cut copies both forms", "05 4003 0c 09 00", 2, 1, 2, "cut", "40:03 0C", "05 09 00 00 00 00", "1..1");
        row("delete of the last objects", "05 4003", 2, 1, 0, "delete", "", "00 00 00", "0..0");
        row("paste before the current object", "05 09 00 00 00", 2, 1, -1, "paste", " 0c\n41:02 ", "05 0c 4102 09", "1..2");
        row("paste of a marked object", "05 09 00", 2, 0, -1, "paste", "85", "85 05 09", "0..0");
        row("paste of bytes as the editor shows them", "05 00 00 00", 2, 1, -1, "paste", "$0C $41:$02", "05 0c 4102", "1..2");
        row("paste among the free bytes", "05 00 00 00", 2, 3, -1, "paste", "=0c0c0c", "05 0c 0c 0c", "1..3");
        row("paste without room", "05 09 00 00", 4, 1, -1, "paste", "0C 0C 0C 41:02", "05 09 00 00", "1..1",
            "The 5 bytes to paste need 5 free bytes; track 4 has 2. Delete objects first.");
        row("paste of one byte", full, 3, 1, -1, "paste", "0C", full, "1..1",
            "The 1 byte to paste needs 1 free byte; track 3 has 0. Delete objects first.");
        refused("paste of an id the catalogue lacks", "24", "$24, which is not");
        refused("paste of a marked span code", "C3", "$C3, which is not");
        refused("paste cut off in a span", "=0c41", "$41 without its length");
        refused("text span without length", "05 41", "\"41\" is a two-byte object and needs its length");
        refused("text one byte with a length", "05:03", "\"05:03\" is a one-byte object and takes no length");
        refused("prose", "a jump", "\"a\" is not one. Expected two-digit hexadecimal");
        refused("empty text", " \n", "it is empty");
        row("duplicate goes after the run", "05 4003 0c 09 00 00 00", 2, 2, 1, "duplicate", "", "05 4003 0c 4003 0c 09", "3..4");
        row("duplicate without room", "05 4003 0c 09 00", 2, 2, 1, "duplicate", "", "05 4003 0c 09 00", "1..2",
            "The 3 bytes to duplicate need 3 free bytes; track 2 has 1.");
        row("move left", full, 2, 1, 2, "left", "", "4003 0c 05 09", "0..1");
        row("move right", full, 2, 2, 1, "right", "", "05 09 4003 0c", "2..3");
        row("move right at the end", full, 2, 3, -1, "right", "", full, "3..3", "already at the end");
        row("move the span past the region", pastRegion, 1, 127, -1, "right", "", pastRegion,
            "127..127", "track 1 takes its length from the byte after");
        row("palette span keeps a span's length", full, 2, 1, -1, "palette", "40", "05 4203 0c 09", "1..1");
        row("palette span over one byte", full, 2, 2, 0, "palette", "44", "05 4003 4601", "2..2");
        row("no track", "05", 0, 0, -1, "cut", "", "05", "0..0", "No track is loaded");
    }
    void editsARun()
    {
        QFETCH(RunEdit, row);
        auto [before, track, current, anchor, edit, bytes, after, selected, message] = row;
        const TrackEditState loaded = stateOf(before, track, current, anchor);
        TrackEditState changed = loaded, shown = loaded;
        QMimeData clipboard;
        bytes.startsWith('=') ? clipboard.setData("application/x-whoopline-objects", QByteArray::fromHex(bytes.mid(1).toLatin1()))
                              : clipboard.setText(bytes);
        const Result<QByteArray> pasted = ObjectBytesFromMimeData(clipboard);
        QByteArray cut;
        const Status status = edit == "delete"      ? DeleteObjects(changed, Widths)
                              : edit == "cut"       ? CutObjects(changed, Widths, cut)
                              : edit == "paste"     ? (pasted ? PasteObjects(changed, *pasted, Widths) : Failure{pasted.error()})
                              : edit == "duplicate" ? DuplicateObjects(changed, Widths)
                              : edit == "left"      ? MoveObjectsLeft(changed)
                              : edit == "right"     ? MoveObjectsRight(changed)
                                                    : ReplaceWithCatalogueEntry(changed, bytes.toInt(), Widths);
        QCOMPARE(status.ok() ? QString() : !message.isEmpty() && status.error().contains(message) ? message : status.error(), message);
        const auto hexOf = [](const TrackEditState &state) { return track::EncodeTrackObjects(state.track.TrackObjects).toHex(); };
        QCOMPARE(hexOf(changed), after.remove(' ').toLatin1()); // the invariants below split it into objects
        const ObjectRun run = SelectedRun(changed);
        QCOMPARE(QStringLiteral("%1..%2").arg(run.first).arg(run.last()), selected);
        QCOMPARE(testing::TrackInvariantViolation(changed.track.TrackObjects, Widths), QString());
        // What a cut hands over goes to the clipboard in both forms, and a paste prefers ours.
        std::unique_ptr<QMimeData> copied(MakeObjectsMimeData(cut));
        QCOMPARE(copied->text(), edit == "cut" ? bytes : QString());
        copied->setText("not objects");
        const auto fromClipboard = ObjectBytesFromMimeData(*copied); // nothing cut: declined
        QCOMPARE(fromClipboard ? *fromClipboard : fromClipboard.error().left(29), cut.isEmpty() ? "There are no objects to paste" : cut);
        QUndoStack stack;
        PushTrackEdit(stack, TrackEditKind::PasteObjects, loaded, changed, [&](const TrackEditState &s) { shown = s; });
        QCOMPARE(stack.count(), int(message.isEmpty()));
        stack.undo();
        QCOMPARE(std::tuple(hexOf(shown), SelectedRun(shown)), std::tuple(before.remove(' ').toLatin1(), SelectedRun(loaded)));
    }
};

QTEST_MAIN(TestStretch)
#include "tst_stretch.moc"
