#include "track/track_codec.h"
#include "window_harness.h"

using namespace whoopline;
using namespace whoopline::testing;

namespace {

const QByteArray Image = ImageBuilder().set(11737, bytes({4, 0x05, 0x44, 0x07, 0x09})).bytes();

// Opens the image above (0x05, 0x44 0x07, 0x09, then 140 objects 0) and steps to object 1 of
// track 3.
QString openAtObjectOne(Window &w)
{
    const QString path = writeFile(w.dir, "x.nes", Image);
    w.show();
    w.open(path);
    w.load(3);
    w.btnNext->click();
    return path;
}

// "..." with the real selector: types the length and presses OK. Returns the row it opened on,
// whether that row was in view, and its number.
QStringList select(Window &w, const QString &length)
{
    QStringList opened;
    QTimer::singleShot(0, [&] {
        QWidget *dialog = QApplication::activeModalWidget();
        auto *list = dialog->findChild<QListWidget *>();
        const QRect row = list->visualItemRect(list->currentItem());
        opened << QString::number(list->currentRow())
               << QString::number(row.top() >= 0 && row.bottom() < list->viewport()->height())
               << dialog->findChild<QLineEdit *>("txtObjectNumber")->text();
        dialog->findChild<QLineEdit *>("txtLength")->setText(length);
        dialog->findChild<QPushButton *>("btnOk")->click();
    });
    w.runObjectSelector = w.realSelector;
    w.btnCurrentObject->click();
    return opened;
}

// What the window shows of its track; unlike state(), not the Undo and Redo items.
auto shown(const Window &w)
{
    return std::tuple(w.doc().track().TrackObjects, w.lblObject->text(), w.txtLaps->text(),
                      w.lblCurrentObject->text(), w.lblLength->text(), w.chkAlternative->isChecked(), w.picTrack->picture());
}

// The sample image with track 3 loaded: 95 objects, the first ones 0x17 (32 wide) and a span
// 0x40 of length 4, the last one a span 0x40 of length 8. The selector records the number it
// opened over and is cancelled.
struct OnTrackThree : Window
{
    QList<int> selectorOpenedOver;
    OnTrackThree()
    {
        runObjectSelector = [this](QWidget *, const edit::ObjectChoice &shown) {
            return selectorOpenedOver << shown.SelectedObjectNumber, std::optional<edit::ObjectChoice>();
        };
        show();
        open(writeFile(dir, "sample.nes", sample));
        load(3);
    }
    QStringList status() const
    {
        return {lblFileName->text(), lblTrack->text(), lblObject->text(), named<QLabel>("lblFreeBytes")->text(), lblModified->text()};
    }
};

// As a person's double-click arrives: a click, then the second press as a double-click.
void doubleClick(QWidget *widget, QPoint at)
{
    QTest::mouseClick(widget, Qt::LeftButton, {}, at);
    QTest::mouseDClick(widget, Qt::LeftButton, {}, at);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
}

} // namespace

class TestWindowEdits : public QObject
{
    Q_OBJECT

private slots:
    // Each step undoes to exactly what the window showed before it, from the Edit menu, the keys
    // or a click in View > History. Laps clicks in a row are one step; a change that ends where it
    // began is none. The real selector opens on the current object's entry, in view.
    void stepsUndoToWhatWasShown()
    {
        Window w;
        openAtObjectOne(w);
        QList states = {shown(w)};
        QCOMPARE(select(w, "9"), QStringList({"42", "1", "44"}));
        QCOMPARE(w.mnuUndo->text(), "&Undo Replace Object");
        states << shown(w);
        w.mnuDelete->trigger(); // the span: two objects 0 at the end
        states << shown(w);
        for (int laps : {5, 4, 6, 7})
            w.scrLaps->setValue(laps);
        states << shown(w);
        // A click right of the box's text, inside its 201 x 17 rectangle, marks the object.
        QTest::mouseClick(w.chkAlternative, Qt::LeftButton, {}, QPoint(196, 8));
        QCOMPARE(w.lblCurrentObject->text(), "$89");
        states << shown(w);
        for (int laps : {6, 7})
            w.scrLaps->setValue(laps);
        QCOMPARE(w.doc().undoGroup()->activeStack()->count(), 4);
        w.mnuInsert->trigger();
        auto *history = w.findChild<QUndoView *>(); // a click on the fourth step
        history->setCurrentIndex(history->model()->index(4, 0));
        for (int i = 4; i >= 0; --i) {
            QCOMPARE(shown(w), states[i]);
            w.mnuUndo->trigger();
        }
        QCOMPARE(w.lblModified->text(), "");
        w.activateWindow(); // after the selector
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTest::keyClick(&w, Qt::Key_Y, Qt::ControlModifier); // Redo, by either key
        QTest::keyClick(&w, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(shown(w), states[2]);
        QCOMPARE(w.named<QAction>("mnuRedo")->text(), "&Redo Change Laps\tCtrl+Y, Ctrl+Shift+Z");
        // Typed laps are a step of their own, with no laps click after it.
        w.runSetLaps = [](QWidget *, int laps) { return laps == 4 ? std::optional(9) : std::nullopt; };
        QTest::keyClick(&w, Qt::Key_L, Qt::ControlModifier);
        QCOMPARE(std::tuple(w.txtLaps->text(), w.doc().undoGroup()->activeStack()->count(), w.mnuUndo->text()), std::tuple("9", 3, "&Undo Set Laps"));
    }

    // Exit asks about unsaved edits as Open does: Cancel keeps the window open, Discard closes it.
    void exitAsksAboutUnsavedEdits()
    {
        Window w;
        openAtObjectOne(w);
        w.mnuDelete->trigger();
        for (const auto answer : {QMessageBox::Cancel, QMessageBox::Discard}) {
            w.answer = answer;
            w.named<QAction>("mnuExit")->trigger();
            QCOMPARE(w.isVisible(), answer == QMessageBox::Cancel);
        }
        QCOMPARE(w.questions, QStringList(2, "Save the changes to track 3 of “x.nes”?"));
    }

    // The keys press the navigation buttons whatever has the focus, but for a text field's own.
    void keysFollowTheButtons()
    {
        const QList<std::tuple<Qt::Key, int, const char *, int>> presses = {
            {Qt::Key_Right, 5, "btnLoadTrack", 6},   {Qt::Key_Right, 94, "scrLoadTrack", 94},
            {Qt::Key_Left, 5, "scrLaps", 4},         {Qt::Key_Left, 0, "btnLoadTrack", 0},
            {Qt::Key_PageUp, 12, "scrLoadTrack", 2}, {Qt::Key_PageUp, 9, "btnNext", 9},
            {Qt::Key_PageDown, 84, "scrLaps", 94},   {Qt::Key_PageDown, 85, "btnLoadTrack", 85},
            {Qt::Key_Home, 7, "scrLoadTrack", 0},    {Qt::Key_End, 7, "chkAlternative", 94},
            {Qt::Key_Right, 5, "txtLaps", 5},        {Qt::Key_PageUp, 10, "btnPrev10", 0},
            {Qt::Key_Left, 1, "btnLoadTrack", 0},    {Qt::Key_Left, 2, "chkAlternative", 1}};
        OnTrackThree w;
        QVERIFY(QTest::qWaitForWindowActive(&w));
        for (const auto &[key, from, focus, to] : presses) {
            w.named<QPushButton>("btnPrevBeginning")->click();
            w.document().setCurrentObject(from);
            w.findChild<QWidget *>(focus)->setFocus();
            QTest::keyClick(QApplication::focusWidget(), key);
            QCOMPARE(w.lblObject->text(), QString("Object %1 of 95").arg(to + 1));
        }
        w.document().setCurrentObject(1); // "<" from the second object too
        w.named<QPushButton>("btnPrev")->click();
        QCOMPARE(w.lblObject->text(), "Object 1 of 95");
    }

    // The run commands from the keys on track 3 (05, 44 07, 09, then free bytes), each one step;
    // the clipboard starts with text. A text box keeps Shift+Home and Ctrl+C for its own text.
    void runCommandsFromTheKeys_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QByteArray>("objects"); // the track's first bytes afterwards
        QTest::addColumn<QStringList>("shown");  // the selection, the clipboard's text, warnings
        const QByteArray before = bytes({0x05, 0x44, 0x07, 0x09, 0, 0, 0});
        const QString none, text = "0C 41:20", two = "2 objects selected (3 bytes)";
        QTest::newRow("copy") << "Right Right Shift+Left Shift+Home Ctrl+C" << before << QStringList{"3 objects selected (4 bytes)", "05 44:07 09"};
        QTest::newRow("all") << "Shift+End" << before << QStringList{"143 objects selected (144 bytes)", text};
        QTest::newRow("cut") << "Shift+Right Ctrl+X" << bytes({0x09, 0, 0, 0, 0, 0, 0}) << QStringList{none, "05 44:07"};
        QTest::newRow("paste") << "Right Right Ctrl+V" << bytes({0x05, 0x44, 0x07, 0x0C, 0x41, 0x20, 0x09}) << QStringList{two, text};
        QTest::newRow("duplicate") << "Shift+Right Ctrl+D" << bytes({5, 0x44, 7, 5, 0x44, 7, 9}) << QStringList{two, text};
        QTest::newRow("left") << "Right Right Alt+Left" << bytes({0x05, 0x09, 0x44, 0x07, 0, 0, 0}) << QStringList{none, text};
        QTest::newRow("right") << "Shift+Right Alt+Right" << bytes({0x09, 0x05, 0x44, 0x07, 0, 0, 0}) << QStringList{two, text};
        QTest::newRow("delete") << "Shift+Right Delete" << bytes({0x09, 0, 0, 0, 0, 0, 0}) << QStringList{none, text};
        QTest::newRow("insert one") << "Shift+Right Insert" << bytes({0x05, 0, 0x44, 0x07, 0x09, 0, 0}) << QStringList{none, text};
        QTest::newRow("step, delete one") << "Shift+Right Right Delete" << bytes({5, 0x44, 7, 0, 0, 0, 0}) << QStringList{none, text};
        QTest::newRow("refused") << "Alt+Left" << before << QStringList{none, text, "The selected objects are already at the start of the track."};
        QTest::newRow("text box") << "txtLaps Shift+Home Ctrl+C" << before << QStringList{none, "4"};
    }
    void runCommandsFromTheKeys()
    {
        QFETCH(QString, keys);
        QFETCH(QByteArray, objects);
        QFETCH(QStringList, shown);
        Window w;
        openAtObjectOne(w);
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.named<QPushButton>("btnPrevBeginning")->click();
        QGuiApplication::clipboard()->setText("0C 41:20");
        for (const QString &key : keys.split(' '))
            key == "txtLaps" ? w.txtLaps->setFocus() : QTest::keySequence(QApplication::focusWidget(), QKeySequence(key));
        const QMimeData *held = QGuiApplication::clipboard()->mimeData();
        QCOMPARE(QStringList({w.findChild<QLabel *>("lblSelection")->text(), held->text()}) + w.messages, shown);
        // Copy and Cut put the editor's own form beside the text.
        QCOMPARE(held->hasFormat("application/x-whoopline-objects"), held->text().size() > 4 && held->text() != "0C 41:20");
        for (const QByteArray &expected : {objects, Image.mid(11737, 7)}) { // one step undoes it
            QCOMPARE(track::EncodeTrackObjects(w.doc().track().TrackObjects).left(7), expected);
            w.doc().undoGroup()->undo();
        }
    }

    // On track 1 of the sample (0x17 at x 0, spans 0x40 at 32 and 160, 0x07 at 80, 3 free bytes):
    // Shift+click and a drag select, and the run is tinted over the current object's room and
    // what follows it, under the frame; objects dropped on the view go before the object under
    // the pointer; the palette's entries replace the current object.
    void selectByMouseDropAndPalette()
    {
        OnTrackThree w;
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.load(1);
        auto *label = w.findChild<QLabel *>("lblSelection");
        auto *tint = w.findChild<QWidget *>("shpSelection");
        QTest::mouseClick(w.picTrack, Qt::LeftButton, Qt::ShiftModifier, {100, 200});
        w.scrLaps->setValue(9); // the run stays selected
        QCOMPARE(std::tuple(label->text(), w.lblObject->text()), std::tuple("3 objects selected (4 bytes)", "Object 3 of 87"));
        QTest::mouseClick(w.picTrack, Qt::LeftButton, {}, {10, 200});
        QCOMPARE(std::tuple(label->isHidden(), tint->isHidden()), std::tuple(true, true));
        for (const char *key : {"Right", "Shift+Left", "Shift+Left"}) // from 3 back to 1
            QTest::keySequence(&w, QKeySequence(key));
        QCOMPARE(tint->geometry(), QRect(0, 0, 160, 256));
        const QImage seen = w.picTrack->grab().toImage(), picture = w.picTrack->picture();
        QVERIFY(w.showsTheModel());
        QCOMPARE(seen.pixel(0, 128), qRgb(0, 255, 0));
        QVERIFY(seen.pixel(100, 250) != picture.pixel(100, 250));
        QTest::mousePress(w.picTrack, Qt::LeftButton, {}, {50, 200}); // object 2 alone
        QTest::mouseMove(w.picTrack, {140, 200}); // object 3, where the press found it
        QTest::mouseRelease(w.picTrack, Qt::LeftButton, {}, {140, 200});
        QCOMPARE(std::tuple(label->text(), w.lblObject->text()), std::tuple("2 objects selected (3 bytes)", "Object 4 of 87"));

        QMimeData data; // as the palette drags 0x0C
        data.setData("application/x-whoopline-objects", bytes({0x0C}));
        QRect marker; // where the drag shows it will land
        const auto drop = [&] { // on object 3, the span at 0..32
            QDragEnterEvent enter({28, 200}, Qt::CopyAction, &data, Qt::LeftButton, {});
            QDragMoveEvent move({28, 200}, Qt::CopyAction, &data, Qt::LeftButton, {});
            QDropEvent dropped({28, 200}, Qt::CopyAction, &data, Qt::LeftButton, {});
            for (QEvent *event : std::initializer_list<QEvent *>{&enter, &move, &dropped}) {
                QApplication::sendEvent(w.picTrack, event);
                if (QWidget *shown = w.findChild<QWidget *>("shpDropMarker"); shown->isVisible())
                    marker = shown->geometry();
            }
            QCoreApplication::processEvents();
        };
        drop();
        QCOMPARE(marker, QRect(0, 0, 3, 256)); // before object 3, shown only during the drag
        QVERIFY(w.findChild<QWidget *>("shpDropMarker")->isHidden());
        QCOMPARE(std::tuple(w.doc().track().TrackObjects.at(3).code(), w.named<QLabel>("lblFreeBytes")->text(), w.mnuUndo->text()), std::tuple(0x0C, "Free: 2 of 129 bytes", "&Undo Insert Object"));
        w.load(3); // no free byte
        drop();
        QCOMPARE(w.messages, QStringList{"The 1 byte to insert needs 1 free byte; track 3 has 0. Delete objects first."});

        const int width = w.width();
        w.findChild<QAction *>("mnuObjectPalette")->trigger();
        auto *palette = w.findChild<QListWidget *>("lstObjectPalette");
        palette->setCurrentRow(9);
        QTest::keyClick(palette, Qt::Key_Return);
        QCOMPARE(std::tuple(w.lblCurrentObject->text(), w.mnuUndo->text()), std::tuple("$09", "&Undo Replace Object (track 3)"));
        QVERIFY(!palette->item(9)->icon().isNull()); // drawn from the image opened while it was hidden
        QTRY_VERIFY(w.width() > width + 100); // docked beside the client area, which keeps its size
        QCOMPARE(w.findChild<QWidget *>("client")->size(), QSize(529, 351));
    }


    // A press on an object steps to it, a double-click opens the selector over it too; past the
    // last object nothing happens.
    void clicksOnTheStrip()
    {
        for (const auto &[from, x, to] : {std::tuple(0, 95, 1), std::tuple(94, 128, 94)}) {
            for (const bool twice : {false, true}) {
                OnTrackThree w;
                if (from > 0)
                    w.btnNextEnd->click();
                const qint64 before = w.picTrack->picture().cacheKey();
                twice ? doubleClick(w.picTrack, {x, 200})
                      : QTest::mouseClick(w.picTrack, Qt::LeftButton, {}, {x, 200});
                QCOMPARE(std::tuple(w.lblObject->text(), w.picTrack->picture().cacheKey() == before), std::tuple(QString("Object %1 of 95").arg(to + 1), from == to));
                QTest::keyClick(w.picTrack, Qt::Key_Return); // the view clicked has the keys: Enter opens it too
                QCOMPARE(w.selectorOpenedOver, (twice && from != to ? QList{0x40, 0x40} : QList{0x40}));
                QCOMPARE(w.lblModified->text(), ""); // the selector was cancelled
            }
        }
    }

    // The status bar follows the image, the track and the edits.
    void statusBarFollowsTheTrack()
    {
        OnTrackThree w;
        QCOMPARE(std::tuple(w.status(), w.lblFileName->toolTip()), std::tuple(QStringList({"sample.nes", "Track 3", "Object 1 of 95", "Free: 0 of 144 bytes", ""}), QDir::toNativeSeparators(w.dir.filePath("sample.nes"))));
        w.btnNextEnd->click();
        w.runObjectSelector = [](QWidget *, const edit::ObjectChoice &) { return edit::ObjectChoice{0x0C, 0}; };
        w.btnCurrentObject->click(); // the span leaves an object 0 after it
        QCOMPARE(w.status(), QStringList({"sample.nes", "Track 3", "Object 95 of 96",
                                          "Free: 1 of 144 bytes", "Modified: track 3"}));
        w.mnuSave->trigger();
        QCOMPARE(std::tuple(w.messages, w.status().last()), std::tuple(QStringList{"Level saved successfully!"}, ""));
        w.open(ImageBuilder().write(w.dir, "other.nes"));
        QCOMPARE(w.status(), QStringList({"other.nes", "", "", "", ""}));

    }
};

QTEST_MAIN(TestWindowEdits)
#include "tst_window_edits.moc"
