#include "document/image_document.h"
#include "image_builder.h"
#include "sample_image.h"
#include "shell/actions/edit_controller.h"
#include "shell/actions/file_controller.h"
#include "shell/dialogs/window_dialogs.h"
#include "shell/session/editor_session.h"
#include "test_home.h"

#include <QtTest>
#include <QtWidgets>

using namespace whoopline;
using namespace whoopline::testing;

namespace {

// Track 3: 0x05, the span 0x44 of length 7, 0x09, then 140 objects 0 in the 144 bytes; 4 laps.
const QByteArray Image = ImageBuilder().set(11737, bytes({4, 0x05, 0x44, 0x07, 0x09})).bytes();

// The Edit and File menus' controllers over a bare window, on a document of their own. The test
// answers every dialog; what the controllers say or ask is kept in told, in order.
struct Controllers
{
    QTemporaryDir dir;
    QMainWindow window;
    QMenu recentMenu;
    shell::EditorSession session{&recentMenu};
    document::ImageDocument doc;
    shell::WindowDialogs dialogs;
    shell::ActionContext context{doc, session, dialogs, window};
    shell::EditController edits{context, nullptr};
    shell::FileController files{context, nullptr};
    QStringList told;
    bool confirm = false;
    QMessageBox::StandardButton answer = QMessageBox::Cancel;
    QString saveTo;

    Controllers()
    {
        dialogs.showMessage = [this](QWidget *, auto, auto, const QString &text) { told << text; };
        dialogs.askToConfirm = [this](QWidget *, auto, const QString &text, auto) { return told << text, confirm; };
        dialogs.askToSaveChanges = [this](QWidget *, auto, const QString &text) { return told << text, answer; };
        dialogs.chooseSaveFile = [this](QWidget *, auto, auto, auto) { return saveTo; };
    }
    // Writes image as x.nes, opens it through the File menu and shows track 3 at object index.
    Status openAt(int index, const QByteArray &image = Image)
    {
        files.open(writeFile(dir, "x.nes", image));
        const Status shown = doc.showTrack(3);
        doc.setCurrentObject(index);
        return shown;
    }
};

struct OpenRow { QByteArray content; QMessageBox::StandardButton answer; bool confirm, saveFails; QStringList said; QString openAfter; QByteArray onDisk; };
struct AskRow { bool revert, confirm; QByteArray onDisk; int laps; };
struct SaveAsRow { QString name; bool imageGone; QString said; QString openAfter; int laps; };

} // namespace

Q_DECLARE_METATYPE(OpenRow)
Q_DECLARE_METATYPE(AskRow)
Q_DECLARE_METATYPE(SaveAsRow)

// The File and Edit menus' commands, each through its item, asking and telling through dialogs
// the test answers.
class TestControllers : public QObject
{
    Q_OBJECT

private slots:
    // Open reads the image before it asks anything: a file that can't be opened is refused at
    // once; one without an image's header opens only when the user says so. Then, with unsaved
    // edits, it asks whether to save them: Save writes them first, and a save that fails stops
    // the Open; Discard drops them; Cancel keeps the image open.
    void openAsksFirst_data()
    {
        QTest::addColumn<OpenRow>("row"); // answer NoButton: no edits
        const QByteArray image = Image, junk(30000, 'j'), asOpened = bytes({0x05, 0x44, 0x07}), saved = bytes({0x05, 0x09, 0x00});
        const QString save = "Save the changes to track 3 of “x.nes”?", header = "“y.nes” does not start with a cartridge image's header. Open it anyway?";
        QTest::newRow("save") << OpenRow{image, QMessageBox::Save, false, false, {save}, "y.nes", saved};
        QTest::newRow("discard") << OpenRow{image, QMessageBox::Discard, false, false, {save}, "y.nes", asOpened};
        QTest::newRow("cancel") << OpenRow{image, QMessageBox::Cancel, false, false, {save}, "x.nes", asOpened};
        QTest::newRow("save fails") << OpenRow{image, QMessageBox::Save, false, true, {save, "Track 3 could not be saved: the file “x.nes” cannot be read: No such file or directory. Nothing was written."}, "x.nes", QByteArray()};
        QTest::newRow("no edits") << OpenRow{image, QMessageBox::NoButton, false, false, {}, "y.nes", asOpened};
        QTest::newRow("no header, kept out") << OpenRow{junk, QMessageBox::Discard, false, false, {header}, "x.nes", asOpened};
        QTest::newRow("no header, opened") << OpenRow{junk, QMessageBox::Discard, true, false, {header, save}, "y.nes", asOpened};
        QTest::newRow("too short") << OpenRow{QByteArray(100, 'j'), QMessageBox::Discard, true, false, {"The file “y.nes” is 100 bytes long; a cartridge image needs at least 24,592."}, "x.nes", asOpened};
    }
    void openAsksFirst()
    {
        QFETCH(OpenRow, row);
        Controllers c;
        QVERIFY(c.openAt(1));
        const QString path = c.doc.path();
        std::tie(c.answer, c.confirm) = std::tuple(row.answer, row.confirm);
        if (row.answer != QMessageBox::NoButton)
            c.edits.mnuDelete->trigger();
        if (row.saveFails)
            QVERIFY(QFile::remove(path));
        c.files.open(writeFile(c.dir, "y.nes", row.content));
        QCOMPARE(c.told, row.said);
        QCOMPARE(QFileInfo(c.doc.path()).fileName(), row.openAfter);
        QCOMPARE(readWholeFile(path).mid(11737, 3), row.onDisk); // track 3's first objects
    }

    // Open of the image itself, its edits saved first, opens it as saved: should the file go, the
    // image kept in memory holds that save.
    void reopeningTheImageAfterASaveKeepsTheSave()
    {
        Controllers c;
        QVERIFY(c.openAt(1));
        c.edits.mnuDelete->trigger();
        c.answer = QMessageBox::Save;
        c.files.open(c.doc.path());
        QVERIFY(QFile::remove(c.doc.path()));
        QCOMPARE(c.doc.imageAsSaved()->bytes.mid(11737, 3), bytes({0x05, 0x09, 0x00}));
    }

    // Save asks before it writes over another program's change to the track, and Revert before it
    // drops the unsaved edits; Cancel comes first and changes nothing.
    void askBeforeLosingWork_data()
    {
        QTest::addColumn<AskRow>("row"); // onDisk: track 3's laps and first object afterwards
        QTest::newRow("save, overwrite") << AskRow{false, true, bytes({6, 0x05}), 6};
        QTest::newRow("save, cancel") << AskRow{false, false, bytes({4, 0x0C}), 6};
        QTest::newRow("revert") << AskRow{true, true, bytes({4, 0x0C}), 4};
        QTest::newRow("revert, cancel") << AskRow{true, false, bytes({4, 0x0C}), 6};
    }
    void askBeforeLosingWork()
    {
        QFETCH(AskRow, row);
        const auto [revert, confirm, onDisk, laps] = row;
        Controllers c;
        QVERIFY(c.openAt(0));
        QVERIFY(c.doc.setLaps(6, false));
        const QString path = writeFile(c.dir, "x.nes", ImageBuilder(0).set(1, Image).set(11738, 0x0C).bytes());
        c.confirm = confirm;
        revert ? c.files.mnuRevert->trigger() : c.files.save();
        QCOMPARE(c.told.value(0), revert ? "Revert “x.nes” to the file on disk? The unsaved changes to track 3 will be lost."
                                         : "Track 3 in “x.nes” was changed by another program since it was loaded. Overwrite those changes?");
        QCOMPARE(readWholeFile(path).mid(11736, 2), onDisk);
        QCOMPARE(std::tuple(c.doc.laps(), c.doc.shownTrack()), std::tuple(laps, 3));
    }

    // Save As writes the image with its edits to another file, which becomes the open image; onto
    // the image itself it is a Save, in place; the safety copy and an unwritable place are
    // refused; with the image gone, the edits are written from the image as it was opened.
    void saveAsKeepsTheOutputRules_data()
    {
        QTest::addColumn<SaveAsRow>("row"); // said: the start of what was said
        QTest::newRow("another file") << SaveAsRow{"y.nes", false, "", "y.nes", 6};
        QTest::newRow("the image by a link") << SaveAsRow{"link.nes", false, "Level saved successfully!", "x.nes", 6};
        QTest::newRow("the safety copy") << SaveAsRow{"x.bak", false, "The output “x.bak” is the same file as the input “x.bak”: writing it would destroy that input.", "x.nes", 4};
        QTest::newRow("a folder not there") << SaveAsRow{"no/y.nes", false, "The file “y.nes” could not be written: ", "x.nes", 4};
        QTest::newRow("the image gone") << SaveAsRow{"y.nes", true, "The file “x.nes” does not exist. Whoopline wrote “y.nes” from the image as it was opened, with the unsaved edits.", "y.nes", 6};
    }
    void saveAsKeepsTheOutputRules()
    {
        QFETCH(SaveAsRow, row);
        Controllers c;
        QVERIFY(c.openAt(0));
        QVERIFY(QFile::link(c.doc.path(), c.dir.filePath("link.nes")));
        writeFile(c.dir, "x.bak", Image); // as the first save leaves it
        QVERIFY(c.doc.setLaps(6, false));
        if (row.imageGone)
            QVERIFY(QFile::remove(c.doc.path()));
        c.saveTo = c.dir.filePath(row.name);
        c.files.mnuSaveAs->trigger();
        QCOMPARE(c.told.join('|').left(row.said.size()), row.said);
        QCOMPARE(QFileInfo(c.doc.path()).fileName(), row.openAfter);
        // Track 3's laps in the open image's file, and whether they are still to be saved.
        QCOMPARE(std::tuple(int(readWholeFile(c.doc.path()).at(11736)), c.doc.isModified()), std::tuple(row.laps, row.laps != 6));
        QCOMPARE(QFileInfo(c.dir.filePath("link.nes")).isSymLink(), true);
    }

    void insertOnAFullTrackIsGreyedSayingWhy()
    {
        Controllers c;
        QVERIFY(c.openAt(0, sample::BuildSampleImage()));
        const QString why = "Track 3 has no free byte: its 144 bytes all hold objects. Delete an object first.";
        QCOMPARE(std::tuple(c.edits.mnuInsert->isEnabled(), c.edits.mnuInsert->toolTip(), c.edits.mnuInsert->statusTip()), std::tuple(false, why, why));
    }
};

QTEST_MAIN(TestControllers)
#include "tst_controllers.moc"
