#include "frm_main.h"
#include "frm_object_selector.h"
#include "image_builder.h"
#include "open_image.h"
#include "picture_box.h"
#include "rectangle_shape.h"
#include "sample_image.h"
#include "selection_exchange.h"
#include "track_io.h"
#include "track_layout.h"
#include "track_view.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

using namespace whoopline;
using namespace whoopline::testing;
using whoopline::shell::frmMain;

namespace {

struct Message
{
    QMessageBox::Icon icon;
    QString text;
};

// A main window whose dialogs answer from the test: the file chooser hands out `chosen`, messages
// are collected, and the object selector is whatever the test sets.
struct Harness
{
    frmMain window;
    QString chosen;
    QList<Message> messages;

    Harness()
    {
        window.chooseImageFile = [this](QWidget *) { return chosen; };
        window.showMessage = [this](QWidget *, QMessageBox::Icon icon, const QString &, const QString &text) {
            messages.append({icon, text});
        };
        window.runObjectSelector = [](QWidget *) {
            qFatal("the object selector was not expected");
            return false;
        };
    }

    void open(const QString &path)
    {
        chosen = path;
        window.mnuOpen->trigger();
    }

    void load(int track)
    {
        window.scrLoadTrack->setValue(track);
        QTest::mouseClick(window.btnLoadTrack, Qt::LeftButton);
    }

    QString lastMessage() const { return messages.isEmpty() ? QString() : messages.last().text; }
};

QString samplePath(const QTemporaryDir &dir, const QString &name = QStringLiteral("sample.nes"))
{
    return writeFile(dir, name, sample::BuildSampleImage());
}

// Everything of the window that a refused command must leave as it was.
struct WindowState
{
    QString romPath;
    track::TrackModel model;
    QImage view;
    int laps;
    QString lapsText;
    QString objectText;
    bool saveEnabled;

    explicit WindowState(const frmMain &w)
        : romPath(w.RomPath), model(w.Track), view(w.picTrack->picture()), laps(w.scrLaps->value()),
          lapsText(w.txtLaps->text()), objectText(w.lblCurrentObject->text()), saveEnabled(w.mnuSave->isEnabled())
    {
    }

    bool operator==(const WindowState &o) const
    {
        return romPath == o.romPath && model.TrackObjects == o.model.TrackObjects &&
               model.CurrentTrack == o.model.CurrentTrack && model.CurrentObject == o.model.CurrentObject &&
               view == o.view && laps == o.laps && lapsText == o.lapsText && objectText == o.objectText &&
               saveEnabled == o.saveEnabled;
    }
};

} // namespace

class MainWindowCommandsTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        edit::SelectedObjectNumber = 0;
        edit::SelectedLength = 0;
    }

    void openShowsTheEmptyTrackOfTheImage()
    {
        QTemporaryDir dir;
        Harness h;
        h.open(samplePath(dir));
        QVERIFY(h.messages.isEmpty());
        QCOMPARE(h.window.RomPath, QFileInfo(dir.filePath("sample.nes")).absoluteFilePath());
        QVERIFY(h.window.mnuSave->isEnabled());
        QVERIFY(h.window.btnNext->isEnabled());
        QVERIFY(h.window.shpSelect->isVisibleTo(&h.window));
        const auto opened = view::OpenImage(h.window.RomPath);
        QCOMPARE(h.window.picTrack->picture(), opened->graphics.picBuffer);
        QCOMPARE(h.window.picGFX, opened->graphics.picGFX);
        QVERIFY(h.window.ObjectWidthTable == opened->ObjectWidthTable);
        QVERIFY(!h.window.Track.isLoaded());
    }

    void cancelledOpenOnlyShowsTheMarker()
    {
        Harness h;
        const QImage title = h.window.picTrack->picture();
        h.open(QString());
        QVERIFY(h.messages.isEmpty());
        QVERIFY(h.window.RomPath.isEmpty());
        QVERIFY(!h.window.mnuSave->isEnabled());
        QCOMPARE(h.window.picTrack->picture(), title);
        QVERIFY(h.window.shpSelect->isVisibleTo(&h.window));
    }

    void refusedOpenChangesNothing_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("trackLoaded");
        for (bool loaded : {false, true}) {
            const char *suffix = loaded ? " after a load" : " before any open";
            for (const char *kind : {"missing", "folder", "short"})
                QTest::newRow(qPrintable(QString(kind) + suffix)) << QString(kind) << loaded;
        }
    }
    void refusedOpenChangesNothing()
    {
        QFETCH(QString, kind);
        QFETCH(bool, trackLoaded);
        QTemporaryDir dir;
        Harness h;
        if (trackLoaded) {
            h.open(samplePath(dir));
            h.load(2);
        }
        const WindowState before(h.window);
        const QString bad = dir.filePath("bad.nes");
        if (kind == "folder")
            QDir(dir.path()).mkdir("bad.nes");
        else if (kind == "short")
            ImageBuilder(rom::MinimumImageSize - 1).write(dir, "bad.nes");
        h.open(bad);
        QCOMPARE(h.messages.size(), 1);
        QCOMPARE(h.messages.first().icon, QMessageBox::Warning);
        QVERIFY2(h.lastMessage().contains("bad.nes"), qPrintable(h.lastMessage()));
        QVERIFY(WindowState(h.window) == before);
        QCOMPARE(QFileInfo::exists(bad), kind != "missing");
    }

    void loadTakesTheChooserValueNotItsText()
    {
        QTemporaryDir dir;
        Harness h;
        h.open(samplePath(dir));
        h.window.scrLoadTrack->setValue(4);
        h.window.txtLoadTrack->setText("2");
        QTest::mouseClick(h.window.btnLoadTrack, Qt::LeftButton);
        const auto expected = track::ReadTrack(h.window.RomPath, 4, h.window.ObjectWidthTable);
        QCOMPARE(h.window.Track.CurrentTrack, 4);
        QCOMPARE(h.window.Track.CurrentObject, 0);
        QVERIFY(h.window.Track.TrackObjects == expected->objects);
        QCOMPARE(h.window.scrLaps->value(), expected->laps);
        QCOMPARE(h.window.txtLaps->text(), QString::number(expected->laps));
        QCOMPARE(h.window.picTrack->picture(),
                 view::RenderTrackView(h.window.Track, h.window.picBuffer, h.window.picGFX, h.window.RomPath).strip);
    }

    void refusedLoadKeepsTheLoadedTrack()
    {
        QTemporaryDir dir;
        Harness h;
        const QString path = samplePath(dir);
        h.open(path);
        h.load(1);
        QTest::mouseClick(h.window.btnNext, Qt::LeftButton);
        const WindowState before(h.window);
        writeFile(dir, "sample.nes", ImageBuilder(0).set(1, sample::BuildSampleImage()).set(11737, 0).bytes());
        h.load(3);
        QCOMPARE(h.messages.size(), 1);
        QVERIFY2(h.lastMessage().startsWith("Track 3 cannot be loaded"), qPrintable(h.lastMessage()));
        QVERIFY(WindowState(h.window) == before);
    }

    void saveWritesTheLoadedTrackAtItsOwnRegion()
    {
        QTemporaryDir dir;
        Harness h;
        const QString path = samplePath(dir);
        h.open(path);
        h.load(4);
        h.window.scrLaps->setValue(3);
        h.window.scrLoadTrack->setValue(1); // chosen but not loaded
        h.window.mnuSave->trigger();
        QCOMPARE(h.lastMessage(), QStringLiteral("Level saved successfully!"));
        QCOMPARE(h.messages.last().icon, QMessageBox::Information);
        QByteArray expected = sample::BuildSampleImage();
        expected[offsetOf(12003)] = 3;
        QCOMPARE(readWholeFile(path), expected);
        QCOMPARE(h.window.Track.CurrentTrack, 4); // still loaded and editable
    }

    void saveNeedsATrackFromTheOpenImage_data()
    {
        QTest::addColumn<bool>("loadFirst");
        QTest::newRow("nothing loaded") << false;
        QTest::newRow("another image opened since the load") << true;
    }
    void saveNeedsATrackFromTheOpenImage()
    {
        QFETCH(bool, loadFirst);
        QTemporaryDir dir;
        Harness h;
        const QString first = samplePath(dir, "first.nes");
        const QString second = writeFile(dir, "second.nes", ImageBuilder().bytes());
        if (loadFirst) {
            h.open(first);
            h.load(5);
        }
        h.open(second);
        h.window.mnuSave->trigger();
        QCOMPARE(h.messages.size(), 1);
        QVERIFY2(h.lastMessage().contains(loadFirst ? "another image" : "Load first"), qPrintable(h.lastMessage()));
        QCOMPARE(readWholeFile(first), sample::BuildSampleImage());
        QCOMPARE(readWholeFile(second), ImageBuilder().bytes());
    }

    void buttonsDoNothingWithoutATrack()
    {
        QTemporaryDir dir;
        Harness h;
        h.open(samplePath(dir));
        const WindowState before(h.window);
        for (QPushButton *button : {h.window.btnPrevBeginning, h.window.btnPrev10, h.window.btnPrev,
                                    h.window.btnNext, h.window.btnNext10, h.window.btnNextEnd,
                                    h.window.btnCurrentObject})
            QTest::mouseClick(button, Qt::LeftButton);
        QTest::mouseClick(h.window.chkAlternative, Qt::LeftButton);
        QVERIFY(!h.window.chkAlternative->isChecked());
        QVERIFY(WindowState(h.window) == before);
        QVERIFY(h.messages.isEmpty());
    }

    void navigationMovesAndRedraws()
    {
        QTemporaryDir dir;
        Harness h;
        h.open(samplePath(dir));
        h.load(4);
        const int last = h.window.Track.lastIndex();
        const QList<std::pair<QPushButton *, int>> steps = {
            {h.window.btnNext, 1},       {h.window.btnNext10, 11}, {h.window.btnPrev, 10},
            {h.window.btnPrev10, 0},     {h.window.btnNextEnd, last}, {h.window.btnNext, last},
            {h.window.btnPrevBeginning, 0}};
        for (const auto &[button, expected] : steps) {
            QTest::mouseClick(button, Qt::LeftButton);
            QCOMPARE(h.window.Track.CurrentObject, expected);
            const auto view =
                view::RenderTrackView(h.window.Track, h.window.picBuffer, h.window.picGFX, h.window.RomPath);
            QCOMPARE(h.window.picTrack->picture(), view.strip);
            QCOMPARE(h.window.lblCurrentObject->text(), view.currentObjectText);
            QCOMPARE(h.window.lblLength->text(), view.lengthText);
            QCOMPARE(h.window.chkAlternative->isChecked(), view.alternative);
            QCOMPARE(h.window.shpSelect->width(), view.markerWidth);
        }
    }

    void alternativeMarkFollowsTheUsersClick()
    {
        QTemporaryDir dir;
        // Track 1: 0x05, 0x85, 0x44 0x07, then empty track.
        const QString path = ImageBuilder().set(11607, {2, 0x05, 0x85, 0x44, 0x07}).write(dir);
        Harness h;
        h.open(path);
        h.load(1);
        QCheckBox *box = h.window.chkAlternative;
        QVERIFY(!box->isChecked());
        QTest::mouseClick(box, Qt::LeftButton);
        QCOMPARE(h.window.Track.current().Bytes, QByteArray("\x85", 1));
        QCOMPARE(h.window.lblCurrentObject->text(), QStringLiteral("$85"));
        // From one marked object to another: both marks stay, the box stays checked.
        QTest::mouseClick(h.window.btnNext, Qt::LeftButton);
        QVERIFY(box->isChecked());
        QTest::mouseClick(h.window.btnPrev, Qt::LeftButton);
        QVERIFY(box->isChecked());
        QCOMPARE(h.window.Track.TrackObjects.at(1).Bytes, QByteArray("\x85", 1));
        QTest::mouseClick(box, Qt::LeftButton);
        QCOMPARE(h.window.lblCurrentObject->text(), QStringLiteral("$05"));
        // A span cannot carry the mark.
        QTest::mouseClick(h.window.btnNext, Qt::LeftButton);
        QTest::mouseClick(h.window.btnNext, Qt::LeftButton);
        QTest::mouseClick(box, Qt::LeftButton);
        QVERIFY(!box->isChecked());
        QCOMPARE(h.window.Track.current().Bytes, QByteArray("\x44\x07", 2));
        QCOMPARE(h.window.lblLength->text(), QStringLiteral("7"));
    }

    void replacementThroughTheSelector_data()
    {
        QTest::addColumn<bool>("ok");
        QTest::newRow("OK") << true;
        QTest::newRow("Cancel") << false;
    }
    void replacementThroughTheSelector()
    {
        QFETCH(bool, ok);
        QTemporaryDir dir;
        const QString path = ImageBuilder().set(11737, {4, 0x05, 0x0C, 0x40, 0x03, 0x89}).write(dir);
        Harness h;
        h.open(path);
        h.load(3);
        QTest::mouseClick(h.window.btnNext, Qt::LeftButton);
        QTest::mouseClick(h.window.btnNext, Qt::LeftButton);
        int shownNumber = -1, shownLength = -1;
        h.window.runObjectSelector = [&](QWidget *) {
            shownNumber = edit::SelectedObjectNumber;
            shownLength = edit::SelectedLength;
            if (ok) {
                edit::SelectedObjectNumber = 0x0C;
                edit::SelectedLength = 9;
            }
            return ok;
        };
        const track::TrackModel before = h.window.Track;
        QTest::mouseClick(h.window.btnCurrentObject, Qt::LeftButton);
        QCOMPARE(shownNumber, 0x40);
        QCOMPARE(shownLength, 3);
        QCOMPARE(h.window.Track.CurrentObject, 2);
        if (!ok) {
            QVERIFY(h.window.Track.TrackObjects == before.TrackObjects);
            return;
        }
        QCOMPARE(h.window.lblCurrentObject->text(), QStringLiteral("$0C"));
        QCOMPARE(h.window.picTrack->picture(),
                 view::RenderTrackView(h.window.Track, h.window.picBuffer, h.window.picGFX, path).strip);
        h.window.mnuSave->trigger();
        QCOMPARE(h.lastMessage(), QStringLiteral("Level saved successfully!"));
        const auto reloaded = track::ReadTrack(path, 3, h.window.ObjectWidthTable);
        QVERIFY(reloaded.ok());
        QVERIFY(reloaded->objects == h.window.Track.TrackObjects);
        QCOMPARE(reloaded->objects.at(3).Bytes, QByteArray(1, '\0')); // inserted after the replaced span
    }

    void refusedReplacementIsShownAndChangesNothing()
    {
        QTemporaryDir dir;
        Harness h;
        h.open(ImageBuilder().write(dir)); // every track all object 0, exactly filling its budget
        h.load(1);
        QTest::mouseClick(h.window.btnNextEnd, Qt::LeftButton);
        h.window.runObjectSelector = [](QWidget *) {
            edit::SelectedObjectNumber = 0x42;
            edit::SelectedLength = 4;
            return true;
        };
        const WindowState before(h.window);
        QTest::mouseClick(h.window.btnCurrentObject, Qt::LeftButton);
        QCOMPARE(h.messages.size(), 1);
        QCOMPARE(h.messages.first().icon, QMessageBox::Warning);
        QVERIFY(WindowState(h.window) == before);
    }

    void theRealSelectorIsShownOverTheCurrentObject()
    {
        QTemporaryDir dir;
        Harness h;
        h.window.runObjectSelector = [&h](QWidget *parent) {
            return edit::RunObjectSelector(parent, h.window.ObjectSelector, h.window.picGFX, h.window.RomPath);
        };
        h.open(samplePath(dir));
        h.load(2);
        QString seenNumber;
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<edit::frmObjectSelector *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Object Selector"));
            seenNumber = dialog->findChild<QLineEdit *>("txtObjectNumber")->text();
            auto *list = dialog->findChild<QListWidget *>("lstObjectSelector");
            list->setCurrentRow(9); // "09 Lap End Ramp"
            QTest::mouseClick(dialog->findChild<QPushButton *>("btnOk"), Qt::LeftButton);
        });
        const QString firstByte = h.window.lblCurrentObject->text().mid(1);
        QTest::mouseClick(h.window.btnCurrentObject, Qt::LeftButton);
        QCOMPARE(seenNumber, firstByte);
        QCOMPARE(h.window.Track.current().Bytes, QByteArray("\x09", 1));
        QCOMPARE(h.window.ObjectSelector.ChosenObjectNumber, 9);
    }
};

QTEST_MAIN(MainWindowCommandsTest)
#include "tst_main_window_commands.moc"
