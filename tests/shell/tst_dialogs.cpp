#include "edit/free_byte_edits.h"
#include "edit/object_details.h"
#include "edit/object_replacement.h"
#include "edit/track_edit_command.h"
#include "image_builder.h"
#include "shell/dialogs/frm_object_selector.h"
#include "shell/dialogs/set_laps_dialog.h"
#include "shell/docks/object_palette.h"
#include "track/track_codec.h"
#include "track_invariants.h"
#include "view/selector_preview.h"
#include "view/strip_layout.h"

#include <QUndoStack>
#include <QtTest>
#include <QtWidgets>

using namespace whoopline;
using namespace whoopline::edit;
using namespace whoopline::shell;
using namespace whoopline::testing;

namespace {

// Widths that differ between neighbouring ids, so a width taken from the wrong id shows.
const track::ObjectWidthTable Widths = [] {
    track::ObjectWidthTable widths{};
    for (int id = 0; id < 50; ++id)
        widths[id] = 16 * (1 + id % 4);
    return widths;
}();

// One opening of the selector, driven through its controls as a user would.
struct Opening
{
    Opening(const ObjectChoice &shown, const QImage &sheet, const QString &romPath)
        : dialog(shown, sheet, romPath)
    {
        dialog.setMessageFunction([this](QWidget *, const QString &text) { messages.append(text); });
    }
    template <typename T> T *control(const char *name) { return dialog.findChild<T *>(name); }
    QLineEdit *length() { return control<QLineEdit>("txtLength"); }
    QListWidget *list() { return control<QListWidget>("lstObjectSelector"); }
    void pick(int index) { list()->setCurrentRow(index, QItemSelectionModel::ClearAndSelect); }

    frmObjectSelector dialog;
    QStringList messages;
};

// Every block of the sheet has a colour of its own, and picture p of the test image is block
// 16 + p at (0, 16), so a preview names the picture it shows.
const auto blockColour = [](int block) { return QColor(block, 255 - block, (block * 7) & 0xFF); };

QImage previewOf(int picture) // all black for -1
{
    QImage preview(256, 256, QImage::Format_RGB32);
    preview.fill(Qt::black);
    if (picture >= 0)
        QPainter(&preview).fillRect(0, 16, 16, 16, blockColour(16 + picture));
    return preview;
}

struct ObjectEdit { QString before; int current, track; QString edit; int number, length;
                    QString after, message; };

} // namespace

Q_DECLARE_METATYPE(ObjectEdit)

class TestDialogs : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_romPath;
    QImage m_sheet{4096, 16, QImage::Format_RGB32};

private slots:
    void initTestCase()
    {
        QPainter painter(&m_sheet);
        for (int block = 0; block < 256; ++block)
            painter.fillRect(block * 16, 0, 16, 16, blockColour(block));
        QList<QByteArray> records;
        for (int p = 0; p < 34; ++p)
            records.append(bytes({1, 16 + p}));
        m_romPath = ImageBuilder().pictures(records).write(m_dir);
    }
    // Objects written as hex, one object a word, on a track's region (129, 120, 144, 212, 187
    // bytes for tracks 1..5). An empty message: the edit succeeds. Otherwise it is refused with a
    // message that holds the text given, and the track stays.
    void editsCurrentObject_data()
    {
        QTest::addColumn<ObjectEdit>("row");
        const QString fill = QString("0c ").repeated(140);
        // 143 objects in 144 bytes: the room counts bytes, not objects.
        const QString full = QString("0c ").repeated(141) + "4402 05";
        const auto zeros = [](int count) { return QString(" 00").repeated(count); };
        const auto row = [](const char *name, const QString &before, int current, int track, int number,
                            int length, const QString &after, const QString &message = {}, const char *edit = "replace") {
            QTest::newRow(name) << ObjectEdit{before, current, track, edit, number, length, after, message};
        };
        const auto freeByteRow = [&](const char *name, const QString &before, int current, int track,
                                     const char *edit, const QString &after, const QString &message = {}) {
            row(name, before, current, track, 0, 0, after, message, edit);
        };
        row("one byte to span takes the next object's place", "05 0c 4003 09", 0, 3, 0x42, 4, "4204 4003 09");
        row("span to one byte leaves an empty object after it", "05 0c 4003 09", 2, 3, 0x0C, 99, "05 0c 0c 00 09");
        row("one byte to span removes a whole span after it", "05 4102 09" + zeros(140), 0, 3, 0x46, 3, "4603 09" + zeros(141));
        row("span to span of length 0", "05 0c 4003 09", 2, 3, 0x43, 0, "05 0c 4300 09");
        row("span of length 255", "05 4407", 1, 3, 0x40, 255, "05 40ff");
        row("marked object comes out unmarked", "0c 85", 1, 3, 0x09, 0, "0c 09");
        row("last object grows to fill the region", fill + "4402 07", 141, 3, 0x41, 5, fill + "4402 4105");
        row("last span becomes the highest one-byte number", "05 4407", 1, 3, 0x31, 0, "05 31 00");
        row("a span on track 1's last byte leaves no object 0 after the region",
            QString("0c ").repeated(128) + "4404", 128, 1, 0x09, 0, QString("0c ").repeated(128) + "09");
        row("no track loaded", "", 0, 0, 5, 0, "", "No track is loaded");
        row("one-byte number past the tables", "05 4407", 0, 3, 50, 0, "05 4407", "number 50");
        row("negative number", "05 4407", 1, 3, -1, 0, "05 4407", "number -1");
        row("span length past a byte", "05 4407", 1, 3, 0x40, 256, "05 4407", "0 to 255");
        row("last object of a full track", full, 142, 3, 0x40, 1, full,
            "track 3 can't become a two-byte object: there is no object after it to make room, and "
            "the track would need 145 bytes where its region holds 144.");
        row("last object, no track region", "05", 0, 0, 0x40, 1, "05", "no track region");
        freeByteRow("mark of a one-byte object", "05 4407", 0, 3, "mark", "85 4407");
        freeByteRow("a span takes no mark", "05 4407", 1, 3, "mark", "05 4407", "can't be marked");
        freeByteRow("insert takes the last free byte", "05 4407 09" + zeros(116), 1, 2, "insert", "05 00 4407 09" + zeros(115));
        freeByteRow("insert at the last free byte", "05 4407 09" + zeros(141), 143, 3, "insert", "05 4407 09" + zeros(141));
        freeByteRow("delete of a span appends two objects 0", "05 4407 09" + zeros(125), 1, 1, "delete", "05 09" + zeros(127));
        freeByteRow("a trailing $80 is no free byte", "05 4407 09" + zeros(115) + " 80", 1, 2, "insert",
                    "05 4407 09" + zeros(115) + " 80", "no free byte");
        freeByteRow("delete of the last object, a span past the region, refills the region",
                    QString("0c ").repeated(211) + "4409", 211, 4, "delete", QString("0c ").repeated(211) + "00");
    }
    void editsCurrentObject()
    {
        QFETCH(ObjectEdit, row);
        const auto [before, current, track, edit, number, length, after, message] = row;
        TrackEditState loaded{{{}, track, current}, 7};
        for (const QString &word : before.split(' ', Qt::SkipEmptyParts))
            loaded.track.TrackObjects.append(track::MakeTrackObject(QByteArray::fromHex(word.toLatin1()), Widths));
        TrackEditState changed = loaded;
        track::TrackModel &model = changed.track;
        const Status status = edit == "insert"   ? InsertObject(model, Widths)
                              : edit == "delete" ? DeleteCurrentObject(model, Widths)
                              : edit == "mark"   ? [&] { Status can = CanMarkCurrentObject(model);
                                                       if (can)
                                                           ToggleAlternative(model, true);
                                                       return can; }()
                                                 : ReplaceCurrentObject(model, number, length, Widths);
        QCOMPARE(status.ok() ? QString() : !message.isEmpty() && status.error().contains(message) ? message : status.error(), message);
        QStringList words;
        for (const track::TrackObject &object : model.TrackObjects)
            words << QString::fromLatin1(object.Bytes.toHex());
        QCOMPARE(std::tuple(words.join(' '), TrackInvariantViolation(model.TrackObjects, Widths), model.CurrentObject), std::tuple(after.trimmed(), QString(), current));
    }

    // Set Laps takes a whole number 1..255 and refuses anything else, saying what it got, with
    // the dialog left open. Its step stands alone: laps clicks next to it are steps of their own.
    void setLapsTakesOneToTwoHundredFiftyFive_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("closed");
        const QString refused = "open: The laps must be a whole number from 1 to 255, not “%1”.";
        for (const char *text : {" 200 ", "1", "255"})
            QTest::newRow(text) << QString(text) << QString("OK %1").arg(QString(text).trimmed());
        for (const char *text : {"0", "256", "-4", "", "twelve", "12x", "1.5", "0x10", "99999999999"})
            QTest::newRow(text) << QString(text) << refused.arg(text);
    }
    void setLapsTakesOneToTwoHundredFiftyFive()
    {
        QFETCH(QString, typed);
        QFETCH(QString, closed);
        frmSetLaps dialog(7);
        QStringList messages;
        dialog.setMessageFunction([&](QWidget *, const QString &text) { messages << text; });
        dialog.show();
        dialog.findChild<QLineEdit *>("txtLaps")->setText(typed);
        dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
        QCOMPARE(dialog.isVisible() ? "open: " + messages.join('|') : QString("OK %1").arg(dialog.laps()), closed);
        QCOMPARE(dialog.laps(), dialog.isVisible() ? 7 : typed.toInt());

        const auto lapsStep = [](TrackEditKind kind, int from, int to) {
            return new TrackEditCommand(kind, {{}, from}, {{}, to}, [](const TrackEditState &) {});
        };
        QUndoStack stack;
        stack.push(lapsStep(TrackEditKind::ChangeLaps, 6, 7));
        stack.push(lapsStep(TrackEditKind::SetLaps, 7, 200));
        stack.push(lapsStep(TrackEditKind::ChangeLaps, 200, 201));
        QCOMPARE(std::tuple(stack.count(), stack.undoText()), std::tuple(3, "Change Laps"));
        stack.undo();
        QCOMPARE(stack.undoText(), "Set Laps");
    }

    // Each row's text begins with the number it applies: 0..35, 48, 49, then the spans 64..70.
    void listOffersTheCatalogue()
    {
        Opening opening({0x3F, 0}, m_sheet, m_romPath); // no entry's object
        for (int i = 0; i < 45; ++i) {
            opening.pick(i);
            const int number = i < 36 ? i : i < 38 ? i + 12 : i + 26;
            QCOMPARE(opening.control<QLineEdit>("txtObjectNumber")->text(), QString::number(number));
            QCOMPARE(opening.list()->item(i)->text().left(3), QString::asprintf("%02X ", number));
        }
    }

    // Opening over an object shows its number in hexadecimal, the length and the object's
    // picture; a pick shows the picked number in decimal and its picture.
    void showsTheObjectAndItsPicture()
    {
        const auto shows = [&](int selected, int pick, const QString &number, int picture) {
            Opening opening({selected, 5}, m_sheet, m_romPath);
            if (pick >= 0)
                opening.pick(pick);
            const QImage preview = opening.control<QLabel>("picBuffer")->pixmap().toImage();
            return opening.control<QLineEdit>("txtObjectNumber")->text() == number &&
                   opening.length()->text() == "5" && preview.convertToFormat(QImage::Format_RGB32) == previewOf(picture);
        };
        QVERIFY(shows(0x85, -1, "85", 4));
        QVERIFY(shows(0x43, -1, "43", 21)); // a span shows its base once
        QVERIFY(shows(0x05, 36, "48", 0)); // "30 Nothing ??"
        QVERIFY(shows(0xC3, -1, "C3", -1)); // no picture
        QCOMPARE(view::ComposeSelectorPreview(5, m_sheet, m_dir.filePath("gone.nes")), previewOf(-1));
    }

    // How the dialog closes decides its choice: OK over a span needs a length
    // 0..255, and without one shows a message and stays open. OK without a pick keeps the object
    // it opened over, mark included, whatever an earlier opening picked. The keyboard is on the
    // list from the start, at the object's entry, which is no pick: the arrow keys pick, Enter
    // presses OK, Escape cancels, and a double-click picks and presses OK.
    void closingDecidesTheExchange()
    {
        const auto close = [&](int listIndex, const QString &text, const QString &how) {
            Opening opening({0x85, 7}, m_sheet, m_romPath);
            opening.dialog.show();
            QListWidget *list = opening.list();
            QWidget *focus = QTest::qWaitForWindowActive(&opening.dialog) ? QApplication::focusWidget() : nullptr;
            if (listIndex >= 0 && focus) {
                list->setCurrentRow(listIndex - 1, QItemSelectionModel::NoUpdate);
                QTest::keyClick(focus, Qt::Key_Down);
            }
            opening.length()->setText(text);
            const QPoint at = list->visualItemRect(list->item(qMax(0, listIndex))).center();
            if (how == "close") {
                opening.dialog.close();
            } else if (how == "double-click") { // as a person's arrives: a click, then a double-click
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
                QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
            } else if (how.startsWith("Key_") && focus) {
                if (how == "Key_Up")
                    QTest::keyClick(focus, Qt::Key_Up);
                QTest::keyClick(focus, how == "Key_Escape" ? Qt::Key_Escape : Qt::Key_Return);
            } else {
                opening.control<QPushButton>(qPrintable(how))->click();
            }
            const bool refused = opening.messages.size() == 1 && opening.messages[0].contains("length from 0 to 255");
            const char *shown = opening.dialog.isVisible() ? (refused ? "open" : "open, silent")
                                : !opening.messages.isEmpty() ? "closed, with a message"
                                : opening.dialog.result() == QDialog::Accepted ? "OK" : "cancelled";
            const ObjectChoice choice = opening.dialog.choice();
            return QString::asprintf("%s $%02X %d", shown, choice.SelectedObjectNumber, choice.SelectedLength);
        };
        QCOMPARE(close(-1, "12", "btnOk"), "OK $85 12");
        QCOMPARE(close(40, "12", "btnCancel"), "cancelled $85 7");
        QCOMPARE(close(-1, "12", "btnOk"), "OK $85 12"); // the pick of 40 is forgotten
        QCOMPARE(close(40, "12", "close"), "cancelled $85 7"); // the close box
        QCOMPARE(close(40, "", "btnOk"), "open $85 7");
        QCOMPARE(close(38, "256", "btnOk"), "open $85 7");
        QCOMPARE(close(44, "-1", "btnOk"), "open $85 7");
        QCOMPARE(close(40, "0", "btnOk"), "OK $42 0");
        QCOMPARE(close(40, "255", "Key_Return"), "OK $42 255");
        QCOMPARE(close(2, "", "Key_Escape"), "cancelled $85 7");
        QCOMPARE(close(-1, "", "Key_Return"), "OK $85 7");
        QCOMPARE(close(-1, "", "Key_Up"), "OK $04 7"); // from the entry of $85
        QCOMPARE(close(12, "x", "double-click"), "OK $0C 7"); // a one-byte object keeps the length
        QCOMPARE(close(12, "300", "btnOk"), "OK $0C 300");
    }

    // A track whose laps byte is at 11737: 0x17 (32 wide), 0x8C, span 0x41 of length 10, 0x2A.
    void hoverDetails_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("details");
        QTest::newRow("first") << 0 << "17 Track Start Line Full  $17\nObject 1 of 4\nAt block 0 of the track\nFile position 11,738";
        QTest::newRow("marked") << 1 << "0C Dirt, Top  $8C, alternative track\nObject 2 of 4\nAt block 2 of the track\nFile position 11,739";
        QTest::newRow("span") << 2 << "41 (2 Bytes) Elevated Platform Level 1 Span  $41\nObject 3 of 4\nLength 10\nAt block 3 of the track\nFile position 11,740";
        QTest::newRow("after the span") << 3 << "2A (not in the catalogue)  $2A\nObject 4 of 4\nAt block 13 of the track\nFile position 11,742";
        QTest::newRow("past the end") << 4 << "";
    }
    void hoverDetails()
    {
        QFETCH(int, index);
        QFETCH(QString, details);
        const track::TrackObjectList objects = {{1, bytes({0x17}), 32, false}, {1, bytes({0x8C}), 16, false},
                                                {2, bytes({0x41, 10}), 160, false}, {1, bytes({0x2A}), 16, false}};
        QCOMPARE(ObjectDetails(objects, view::TrackObjectLefts(objects), index, 11737), details);
    }

    // The palette lists the catalogue, draws its pictures from the image, asks for a
    // replacement on activation and drags an entry's bytes.
    void paletteOffersTheCatalogue()
    {
        QTemporaryDir dir;
        QImage sheet(4096, 16, QImage::Format_RGB32);
        sheet.fill(Qt::white);
        const QList<QByteArray> records(34, testing::bytes({1, 16}));
        ObjectPalette palette;
        palette.show();
        auto *list = palette.findChild<QListWidget *>("lstObjectPalette");
        QCOMPARE(std::tuple(list->count(), list->item(44)->text()), std::tuple(45, "46 (2 Bytes) Grass Full"));
        palette.showImage(sheet, testing::ImageBuilder().pictures(records).write(dir));
        QCOMPARE(list->item(9)->icon().pixmap(64).toImage().pixel(32, 32), qRgb(255, 255, 255));
        QSignalSpy asked(&palette, &ObjectPalette::replaceRequested);
        emit list->itemActivated(list->item(3)); // a double-click or Enter
        QCOMPARE(asked.at(0).at(0).toInt(), 3);
        std::unique_ptr<QMimeData> dragged(list->model()->mimeData({list->model()->index(40, 0)}));
        QCOMPARE(dragged->text(), "42:01");
        QStringList shown;
        QTest::keyClicks(palette.findChild<QLineEdit *>("txtPaletteFilter"), "ramp"); // by name, or by number as "0c"
        for (int i = 0; i < list->count(); ++i)
            shown << (list->item(i)->isHidden() ? "" : list->item(i)->text().left(2));
        QCOMPARE(shown.join("").size() / 2, 13);
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
