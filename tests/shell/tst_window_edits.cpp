#include "frm_main.h"
#include "image_builder.h"
#include "picture_box.h"

#include <QtTest>
#include <QtWidgets>

using namespace whoopline;
using namespace whoopline::testing;

namespace {

// The window at object 1 of track 3 of a small image (0x05, 0x44 0x07, 0x09, then 140 objects 0),
// its dialogs answered by the test.
struct Window : shell::frmMain
{
    QTemporaryDir dir;
    const QByteArray image = ImageBuilder().set(11737, bytes({4, 0x05, 0x44, 0x07, 0x09})).bytes();
    const QString path = writeFile(dir, "x.nes", image);
    QString chosen = path;
    QStringList messages, questions;
    QMessageBox::StandardButton answer = QMessageBox::NoButton;

    Window()
    {
        chooseImageFile = [this](QWidget *) { return chosen; };
        showMessage = [this](auto, auto, auto, const QString &text) { messages << text; };
        askToSaveChanges = [this](auto, auto, const QString &text) {
            questions << text;
            return answer;
        };
        show();
        mnuOpen->trigger();
        scrLoadTrack->setValue(3);
        btnLoadTrack->click();
        btnNext->click();
    }
    // "..." with the real selector, where the test clicks row pick (unless -1), types the length
    // (unless empty) and presses OK. Returns the row the selector opened on, whether that row
    // was in view, and the number it showed.
    QStringList select(int pick, const QString &length)
    {
        QStringList opened;
        QTimer::singleShot(0, [&] {
            QWidget *dialog = QApplication::activeModalWidget();
            auto *list = dialog->findChild<QListWidget *>();
            const QRect row = list->visualItemRect(list->currentItem());
            opened << QString::number(list->currentRow())
                   << QString::number(row.top() >= 0 && row.bottom() < list->viewport()->height())
                   << dialog->findChild<QLineEdit *>("txtObjectNumber")->text();
            if (pick >= 0)
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                                  list->visualItemRect(list->item(pick)).center());
            if (!length.isEmpty())
                dialog->findChild<QLineEdit *>("txtLength")->setText(length);
            dialog->findChild<QPushButton *>("btnOk")->click();
        });
        btnCurrentObject->click();
        return opened;
    }
    auto shown() const
    {
        return std::tuple(Track.TrackObjects, Track.CurrentObject, scrLaps->value(),
                          txtLaps->text(), lblCurrentObject->text(), lblLength->text(),
                          chkAlternative->isChecked(), picTrack->picture());
    }
};

} // namespace

class TestWindowEdits : public QObject
{
    Q_OBJECT

private slots:
    // Each step undoes to exactly what the window showed before it. Laps clicks in a row are one
    // step; a change that ends where it began, or is refused, is none. The selector opens on the
    // current object's entry, and OK without a pick keeps that object.
    void editMenuStepsUndoAndRedo()
    {
        Window w;
        QVERIFY(w.mnuEdit->isEnabled() && w.mnuInsert->isEnabled() && !w.mnuUndo->isEnabled());
        QList states = {w.shown()};
        QCOMPARE(w.select(-1, "9"), QStringList({"42", "1", "44"}));
        QCOMPARE(w.mnuUndo->text(), "&Undo Replace Object");
        states << w.shown();
        w.mnuDelete->trigger(); // the span: two objects 0 at the end
        states << w.shown();
        for (int laps : {5, 4})
            w.scrLaps->setValue(laps);
        QCOMPARE(w.UndoStack->count(), 2);
        for (int laps : {6, 7})
            w.scrLaps->setValue(laps);
        states << w.shown();
        // A click right of the box's text, inside its 201 x 17 rectangle, marks the object.
        QTest::mouseClick(w.chkAlternative, Qt::LeftButton, {}, QPoint(196, 8));
        QCOMPARE(w.lblCurrentObject->text(), "$89");
        states << w.shown();
        QCOMPARE(w.select(-1, ""), QStringList({"9", "1", "89"}));
        QCOMPARE(w.UndoStack->count(), 4);
        w.select(9, ""); // a click on the entry shown is a pick: the object comes out unmarked
        QCOMPARE(w.lblCurrentObject->text(), "$09");
        for (int i = 0; i < 143; ++i) // 142 free bytes
            w.mnuInsert->trigger();
        QCOMPARE(w.messages, QStringList{"Track 3 has no free byte: its 144 bytes all hold "
                                         "objects. Delete an object first."});
        QCOMPARE(w.UndoStack->count(), 147);
        w.UndoStack->setIndex(4);
        for (int i = 4; i >= 0; --i) {
            QVERIFY(w.shown() == states[i]);
            w.mnuUndo->trigger();
        }
        QVERIFY(!w.mnuUndo->isEnabled() && w.UndoStack->isClean());
        w.mnuRedo->trigger();
        QVERIFY(w.shown() == states[1]);
        w.chosen = w.dir.filePath("missing.nes"); // a file Open refuses asks nothing
        w.mnuOpen->trigger();
        QVERIFY(w.questions.isEmpty() && w.messages.size() == 2);
    }

    void unsavedEditsAreAskedAbout_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("answer"); // NoButton: no edits, no question
        QTest::addColumn<bool>("saveFails");
        for (const char *c : {"exit", "load", "open"}) {
            QTest::addRow("%s, save", c) << c << int(QMessageBox::Save) << false;
            QTest::addRow("%s, discard", c) << c << int(QMessageBox::Discard) << false;
            QTest::addRow("%s, cancel", c) << c << int(QMessageBox::Cancel) << false;
            QTest::addRow("%s, save fails", c) << c << int(QMessageBox::Save) << true;
            QTest::addRow("%s, no edits", c) << c << int(QMessageBox::NoButton) << false;
        }
    }
    void unsavedEditsAreAskedAbout()
    {
        QFETCH(QString, command);
        QFETCH(int, answer);
        QFETCH(bool, saveFails);
        const bool goesOn = answer != QMessageBox::Cancel && !saveFails;
        Window w;
        w.answer = QMessageBox::StandardButton(answer);
        if (answer != QMessageBox::NoButton)
            w.mnuDelete->trigger();
        const auto edited = w.shown();
        if (saveFails)
            QFile::remove(w.path);
        w.chosen = writeFile(w.dir, "other.nes", ImageBuilder().bytes());
        if (command == "load")
            w.btnLoadTrack->click();
        else
            (command == "exit" ? w.mnuExit : w.mnuOpen)->trigger();

        QCOMPARE(w.questions,
                 answer ? QStringList{"Save the changes to track 3 of “x.nes”?"} : QStringList{});
        QCOMPARE(w.messages.size(), int(answer == QMessageBox::Save));
        QCOMPARE(readWholeFile(w.path) == w.image, answer != QMessageBox::Save);
        const bool wentOn = command == "exit"   ? !w.isVisible()
                            : command == "load" ? w.Track.CurrentObject == 0
                                                : w.RomPath == w.chosen;
        QCOMPARE(wentOn, goesOn);
        QVERIFY(goesOn || w.shown() == edited);
        // Load and Open start afresh; a window that closed keeps what it let go.
        QCOMPARE(w.UndoStack->isClean(),
                 goesOn && (command != "exit" || answer != QMessageBox::Discard));
    }
};

QTEST_MAIN(TestWindowEdits)
#include "tst_window_edits.moc"
