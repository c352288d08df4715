#include "frm_main.h"
#include "frm_object_selector.h"
#include "image_builder.h"
#include "open_image.h"
#include "picture_box.h"
#include "rectangle_shape.h"
#include "sample_image.h"
#include "track_io.h"
#include "track_view.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

#include <tuple>

using namespace whoopline;
using namespace whoopline::testing;

namespace {

void click(QWidget *widget)
{
    QTest::mouseClick(widget, Qt::LeftButton);
}

// The main window with its dialogs answered by the test: Open hands out `chosen`, messages are
// kept, and the object selector must be set by the test that expects it.
struct Window : shell::frmMain
{
    QTemporaryDir dir;
    QString chosen;
    QStringList messages;
    QList<QMessageBox::Icon> icons;

    Window()
    {
        chooseImageFile = [this](QWidget *) { return chosen; };
        showMessage = [this](QWidget *, QMessageBox::Icon icon, const QString &,
                             const QString &text) {
            icons << icon;
            messages << text;
        };
        runObjectSelector = [](QWidget *) -> bool { qFatal("unexpected object selector"); };
    }
    QString writeSample() { return writeFile(dir, "sample.nes", sample::BuildSampleImage()); }
    void open(const QString &path)
    {
        chosen = path;
        mnuOpen->trigger();
    }
    void load(int track)
    {
        scrLoadTrack->setValue(track);
        click(btnLoadTrack);
    }
    // Everything a refused command must leave as it was.
    auto state() const
    {
        return std::tuple(RomPath, Track.TrackObjects, Track.CurrentTrack, Track.CurrentObject,
                          picTrack->picture(), scrLaps->value(), txtLaps->text(),
                          lblCurrentObject->text(), mnuSave->isEnabled());
    }
    // Whether the window shows what the view code draws for its model.
    bool showsTheModel() const
    {
        const auto v = view::RenderTrackView(Track, picBuffer, picGFX, RomPath);
        return picTrack->picture() == v.strip && lblCurrentObject->text() == v.currentObjectText &&
               lblLength->text() == v.lengthText && chkAlternative->isChecked() == v.alternative &&
               shpSelect->width() == v.markerWidth;
    }
};

} // namespace

class MainWindowCommandsTest : public QObject
{
    Q_OBJECT

private slots:
    void openChangesTheWindowOnlyForAnImage()
    {
        Window w;
        const auto before = w.state();
        w.open(QString());                     // Cancel
        QVERIFY(w.shpSelect->isVisibleTo(&w)); // shown from the first Open on, even so
        QVERIFY(w.messages.isEmpty() && w.state() == before);
        const QString missing = w.dir.filePath("missing.nes");
        w.open(missing);
        QCOMPARE(w.icons, QList{QMessageBox::Warning});
        QVERIFY2(w.messages.first().contains("missing.nes"), qPrintable(w.messages.first()));
        QVERIFY(w.state() == before);
        QVERIFY(!QFileInfo::exists(missing));

        w.open(w.writeSample());
        QCOMPARE(w.messages.size(), 1);
        QCOMPARE(w.RomPath, w.dir.filePath("sample.nes"));
        QVERIFY(w.mnuSave->isEnabled() && w.btnNext->isEnabled());
        const auto opened = view::OpenImage(w.RomPath);
        QCOMPARE(w.picTrack->picture(), opened->graphics.picBuffer);
        QCOMPARE(w.picGFX, opened->graphics.picGFX);
        QVERIFY(w.ObjectWidthTable == opened->ObjectWidthTable);
        QVERIFY(!w.Track.isLoaded());
    }

    // Load reads the chooser, not its text box; Save writes the loaded track, not the chosen one.
    void loadAndSaveTakeTheLoadedTrack()
    {
        Window w;
        const QString path = w.writeSample();
        w.open(path);
        w.load(1);
        click(w.btnNext);
        w.scrLoadTrack->setValue(4);
        w.txtLoadTrack->setText("2");
        click(w.btnLoadTrack);
        const auto expected = track::ReadTrack(path, 4, w.ObjectWidthTable);
        QCOMPARE(w.Track.CurrentTrack, 4);
        QCOMPARE(w.Track.CurrentObject, 0);
        QVERIFY(w.Track.TrackObjects == expected->objects);
        QCOMPARE(w.txtLaps->text(), QString::number(expected->laps));
        QVERIFY(w.showsTheModel());

        w.scrLaps->setValue(3);
        w.scrLoadTrack->setValue(1);
        w.mnuSave->trigger();
        QCOMPARE(w.messages, QStringList{"Level saved successfully!"});
        QCOMPARE(w.icons, QList{QMessageBox::Information});
        QByteArray saved = sample::BuildSampleImage();
        saved[offsetOf(12003)] = 3;
        QCOMPARE(readWholeFile(path), saved);

        // The track stays in the model, but it is no track of the image opened since.
        const QString other = ImageBuilder().write(w.dir);
        w.open(other);
        w.mnuSave->trigger();
        QVERIFY2(w.messages.last().contains("another image"), qPrintable(w.messages.last()));
        QCOMPARE(readWholeFile(path), saved);
        QCOMPARE(readWholeFile(other), ImageBuilder().bytes());
    }

    void refusedLoadKeepsTheLoadedTrack()
    {
        Window w;
        w.open(w.writeSample());
        w.load(1);
        click(w.btnNext);
        const auto before = w.state();
        writeFile(w.dir, "sample.nes",
                  ImageBuilder(0).set(1, sample::BuildSampleImage()).set(11737, 0).bytes());
        w.load(3); // its laps byte is now 0
        QCOMPARE(w.icons, QList{QMessageBox::Warning});
        QVERIFY2(w.messages.first().startsWith("Track 3 cannot be loaded"),
                 qPrintable(w.messages.first()));
        QVERIFY(w.state() == before);
    }

    void withoutATrackNothingActsOrIsSaved()
    {
        Window w;
        const QString path = w.writeSample();
        w.open(path);
        const auto before = w.state();
        for (QWidget *button : {w.btnPrevBeginning, w.btnPrev10, w.btnPrev, w.btnNext, w.btnNext10,
                                w.btnNextEnd, w.btnCurrentObject})
            click(button);
        click(w.chkAlternative);
        QVERIFY(!w.chkAlternative->isChecked());
        QVERIFY(w.state() == before);
        QVERIFY(w.messages.isEmpty());
        w.mnuSave->trigger();
        QVERIFY2(w.messages.value(0).contains("Load first"), qPrintable(w.messages.value(0)));
        QCOMPARE(readWholeFile(path), sample::BuildSampleImage());
    }

    void navigationMovesAndRedraws()
    {
        Window w;
        w.open(w.writeSample());
        w.load(4);
        const int last = w.Track.lastIndex();
        const QList<std::pair<QPushButton *, int>> steps = {
            {w.btnNext, 1},   {w.btnNext10, 11},    {w.btnPrev, 10},
            {w.btnPrev10, 0}, {w.btnNextEnd, last}, {w.btnPrevBeginning, 0}};
        for (const auto &[button, expected] : steps) {
            click(button);
            QCOMPARE(w.Track.CurrentObject, expected);
            QVERIFY2(w.showsTheModel(), qPrintable(button->text()));
        }
    }

    void alternativeMarkFollowsTheUsersClick()
    {
        Window w;
        w.open(ImageBuilder().set(11607, {1, 0x05, 0x85, 0x44, 0x07}).write(w.dir));
        w.load(1);
        QCOMPARE(w.txtLaps->text(), "1"); // shown although the value did not change
        click(w.chkAlternative);
        QCOMPARE(w.Track.current().Bytes, QByteArray("\x85"));
        QCOMPARE(w.lblCurrentObject->text(), "$85");
        // From one marked object to another: both marks stay.
        click(w.btnNext);
        click(w.btnPrev);
        QVERIFY(w.chkAlternative->isChecked());
        QCOMPARE(w.Track.TrackObjects.at(1).Bytes, QByteArray("\x85"));
        click(w.chkAlternative);
        QCOMPARE(w.lblCurrentObject->text(), "$05");
        // A span cannot carry the mark.
        click(w.btnNext);
        click(w.btnNext);
        click(w.chkAlternative);
        QVERIFY(!w.chkAlternative->isChecked());
        QCOMPARE(w.Track.current().Bytes, QByteArray("\x44\x07"));
        QCOMPARE(w.lblLength->text(), "7");
    }

    // Track 3's objects fill its budget: the last object has no room to become a span.
    void replacementThroughTheSelector()
    {
        Window w;
        const QString path =
            ImageBuilder().set(11737, {4, 0x05, 0x0C, 0x40, 0x03, 0x89}).write(w.dir);
        w.open(path);
        w.load(3);
        click(w.btnNext);
        click(w.btnNext);
        std::pair<int, int> offered, chosen;
        bool ok = false;
        w.runObjectSelector = [&](QWidget *) {
            offered = {edit::SelectedObjectNumber, edit::SelectedLength};
            std::tie(edit::SelectedObjectNumber, edit::SelectedLength) = chosen;
            return ok;
        };
        auto before = w.state();
        chosen = {0x0C, 9};
        click(w.btnCurrentObject); // Cancel
        QCOMPARE(offered, std::pair(0x40, 3));
        QVERIFY(w.state() == before);

        ok = true;
        click(w.btnCurrentObject);
        QCOMPARE(w.Track.CurrentObject, 2);
        QCOMPARE(w.lblCurrentObject->text(), "$0C");
        QVERIFY(w.showsTheModel());
        w.mnuSave->trigger();
        QCOMPARE(w.messages, QStringList{"Level saved successfully!"});
        const auto saved = track::ReadTrack(path, 3, w.ObjectWidthTable);
        QVERIFY(saved->objects == w.Track.TrackObjects);
        QCOMPARE(saved->objects.at(3).Bytes, QByteArray(1, '\0')); // inserted after the new object

        click(w.btnNextEnd);
        chosen = {0x42, 4};
        before = w.state();
        click(w.btnCurrentObject);
        QCOMPARE(w.icons.last(), QMessageBox::Warning);
        QVERIFY(w.state() == before);
    }

    void theRealSelectorIsShownOverTheCurrentObject()
    {
        Window w;
        w.runObjectSelector = [&w](QWidget *parent) {
            return edit::RunObjectSelector(parent, w.ObjectSelector, w.picGFX, w.RomPath);
        };
        w.open(w.writeSample());
        w.load(2);
        QString offered;
        QTimer::singleShot(0, [&] {
            auto *dialog = QApplication::activeModalWidget();
            QVERIFY(dialog);
            offered = dialog->findChild<QLineEdit *>("txtObjectNumber")->text();
            dialog->findChild<QListWidget *>("lstObjectSelector")->setCurrentRow(9); // "09 ..."
            click(dialog->findChild<QPushButton *>("btnOk"));
        });
        const QString shown = w.lblCurrentObject->text().mid(1);
        click(w.btnCurrentObject);
        QCOMPARE(offered, shown);
        QCOMPARE(w.Track.current().Bytes, QByteArray("\x09"));
    }
};

QTEST_MAIN(MainWindowCommandsTest)
#include "tst_main_window_commands.moc"
