#include "artwork_reader.h"
#include "open_image.h"
#include "sample_tiles.h"
#include "track_io.h"
#include "window_harness.h"

#include <csignal>
#include <set>
#include <sys/resource.h>

using namespace whoopline;
using namespace whoopline::testing;

// The main window: its controls, and its commands as a user runs them, each through to the file.
class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    // Found in the window itself, so a control the switch does not know about fails too. The
    // marker is only a drawing: it keeps its own flag.
    void switchReachesAllButFiveMenuItems()
    {
        for (const bool enabled : {false, true}) {
            shell::frmMain window; // at start-up, switched off
            QList<QObject *> all;
            for (QWidget *widget : window.centralWidget()->findChildren<QWidget *>())
                all << widget;
            for (QAction *menu : window.menuBar()->actions())
                for (QAction *item : QList<QAction *>{menu} + menu->menu()->actions())
                    all << item;
            if (enabled) {
                for (QObject *control : all)
                    control->setProperty("enabled", false);
                window.SetControlsEnabled(&window, true);
            }
            const std::set<QObject *> alone = {window.mnuFile, window.mnuOpen, window.mnuExit,
                                               window.mnuHelp, window.mnuAbout, window.shpSelect};
            // Undo and Redo also wait for a step to undo or redo.
            const std::set<QObject *> noStep = {window.mnuUndo, window.mnuRedo};
            for (QObject *control : all) {
                const auto *widget = qobject_cast<const QWidget *>(control);
                const bool own = widget ? !widget->testAttribute(Qt::WA_ForceDisabled)
                                        : control->property("enabled").toBool();
                const bool expected = !noStep.count(control) && (alone.count(control) ? !enabled : enabled);
                QVERIFY2(own == expected, qPrintable(control->objectName()));
            }
        }
    }

    // The track view shows its picture 1:1 from the top-left corner over dark grey, the marker
    // as a 1-pixel green outline. Help > About closes on a click on its picture, Exit ends at
    // once, without a question.
    void viewAndExit()
    {
        Window window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QImage picture(100, 50, QImage::Format_RGB32);
        picture.fill(qRgb(200, 10, 10));
        window.picTrack->setPicture(picture);
        window.shpSelect->resize(48, 256);
        window.shpSelect->show();
        const QImage view = window.picTrack->grab().toImage();
        QString seen; // the marker's four sides, the picture's corners, the grey around them
        for (const QPoint at : {QPoint(0, 128), {47, 128}, {24, 0}, {24, 255}, {24, 1}, {48, 0}, {99, 49},
                                {100, 49}, {99, 50}, {1, 128}, {48, 255}, {511, 255}})
            seen += QColor(view.pixel(at)).name() + ' ';
        QCOMPARE(seen, "#00ff00 #00ff00 #00ff00 #00ff00 #c80a0a #c80a0a #c80a0a #404040 #404040 #404040 "
                       "#404040 #404040 ");

        QTimer::singleShot(0, [] { // left open, About fails the test by the time limit
            QTest::mouseClick(QApplication::activeModalWidget()->windowHandle(), Qt::LeftButton, {}, QPoint(10, 260));
        });
        window.mnuAbout->trigger();
        window.mnuExit->trigger();
        QVERIFY(!window.isVisible() && window.messages.isEmpty());
    }

    // Open changes the window only for an image; without a track nothing acts; Load reads the
    // chooser, not its text box; the buttons move and redraw; Save writes the loaded track, not
    // the chosen one, and only a track of the image open now.
    void openLoadNavigateAndSave()
    {
        Window w;
        const auto before = w.state();
        w.open(QString());                     // Cancel
        QVERIFY(w.shpSelect->isVisibleTo(&w)); // shown from the first Open on, even so
        const QString missing = w.dir.filePath("missing.nes");
        w.open(missing);
        QCOMPARE(w.icons, QList{QMessageBox::Warning});
        QVERIFY2(w.messages.first().contains("missing.nes"), qPrintable(w.messages.first()));
        QVERIFY(w.state() == before && !QFileInfo::exists(missing));

        QCOMPARE(sample::SampleTileArtProblems(), QStringList()); // our art, as the image holds it
        const QString path = writeFile(w.dir, "sample.nes", w.sample);
        w.open(path);
        QCOMPARE(w.RomPath, path);
        const auto image = view::OpenImage(path);
        QVERIFY(w.picTrack->picture() == image->graphics.picBuffer && w.picGFX == image->graphics.picGFX);
        QVERIFY(w.ObjectWidthTable == image->ObjectWidthTable && w.mnuSave->isEnabled());
        const auto opened = w.state();
        for (QWidget *button : QList<QWidget *>{w.btnPrevBeginning, w.btnPrev10, w.btnPrev, w.btnNext,
                                                w.btnNext10, w.btnNextEnd, w.btnCurrentObject, w.chkAlternative})
            Window::click(button);
        QVERIFY(!w.chkAlternative->isChecked() && w.state() == opened && w.messages.size() == 1);
        w.mnuSave->trigger();
        QVERIFY2(w.messages.last().contains("Load first"), qPrintable(w.messages.last()));

        w.load(1);
        Window::click(w.btnNext);
        w.scrLoadTrack->setValue(4);
        w.txtLoadTrack->setText("2");
        Window::click(w.btnLoadTrack);
        const auto expected = track::ReadTrack(path, 4, w.ObjectWidthTable);
        QVERIFY(w.Track.CurrentTrack == 4 && w.Track.CurrentObject == 0 && w.Track.TrackObjects == expected->objects);
        QCOMPARE(w.txtLaps->text(), QString::number(expected->laps));
        Window::click(w.btnNextEnd);
        QVERIFY(w.Track.CurrentObject == w.Track.lastIndex() && w.showsTheModel());
        w.scrLaps->setValue(255);
        w.scrLoadTrack->setValue(1);
        w.mnuSave->trigger();
        QVERIFY(w.messages.last() == "Level saved successfully!" && w.icons.last() == QMessageBox::Information);
        QByteArray saved = w.sample;
        saved[12002] = char(255); // track 4's laps byte, position 12003
        QCOMPARE(readWholeFile(path), saved);

        // Deleted by another program: Open, Load and Save are refused and change nothing but the
        // view, which goes on with the background; once the file is back, the same Save writes.
        QVERIFY(QFile::remove(path));
        w.open(path);
        Window::click(w.btnNext);
        QVERIFY(w.picTrack->picture() == w.picBuffer && w.showsTheModel());
        const auto moved = w.state();
        Window::click(w.btnLoadTrack);
        w.mnuSave->trigger();
        QVERIFY(w.state() == moved && !QFileInfo::exists(path) && w.icons.count(QMessageBox::Warning) == 4);
        QVERIFY2(w.messages.at(4).startsWith("Track 1 cannot be loaded: ") && w.messages.at(5).endsWith("nothing was written."), qPrintable(w.messages.join("\n")));
        writeFile(w.dir, "sample.nes", w.sample);
        w.mnuSave->trigger();
        QCOMPARE(readWholeFile(path), saved);

        const QString other = ImageBuilder().write(w.dir);
        w.open(other);
        w.mnuSave->trigger();
        QVERIFY2(w.messages.last().contains("another image"), qPrintable(w.messages.last()));
        QVERIFY(readWholeFile(path) == saved && readWholeFile(other) == ImageBuilder().bytes());
    }

    // The user's click on the box never marks a span; the "..." button hands
    // the current object to the selector and replaces it on OK only. Track 3's objects fill its
    // budget: the last object has no room to become a span.
    void editsTheCurrentObject()
    {
        Window w;
        const QString path = ImageBuilder().set(11737, bytes({1, 0x05, 0x0C, 0x40, 0x03, 0x89})).write(w.dir);
        w.open(path);
        w.load(3);
        QCOMPARE(w.txtLaps->text(), "1"); // shown although the value did not change
        Window::click(w.btnNext);
        Window::click(w.btnNext);
        Window::click(w.chkAlternative);
        QVERIFY(!w.chkAlternative->isChecked() && w.Track.current().Bytes == bytes({0x40, 0x03}));
        QCOMPARE(w.lblLength->text(), "3");

        std::pair<int, int> offered, chosen = {0x0C, 9};
        bool ok = false;
        w.runObjectSelector = [&](QWidget *) {
            offered = {edit::SelectedObjectNumber, edit::SelectedLength};
            std::tie(edit::SelectedObjectNumber, edit::SelectedLength) = chosen;
            return ok;
        };
        auto before = w.state();
        Window::click(w.btnCurrentObject); // Cancel: the exchange is not read
        QVERIFY(offered == std::pair(0x40, 3) && w.state() == before);
        Window::click(w.btnNext); // a one-byte object keeps the length the exchange holds
        Window::click(w.btnCurrentObject);
        QCOMPARE(offered, std::pair(0x89, 9));
        Window::click(w.btnPrev);
        ok = true;
        Window::click(w.btnCurrentObject);
        QVERIFY(w.Track.CurrentObject == 2 && w.lblCurrentObject->text() == "$0C" && w.showsTheModel());
        w.mnuSave->trigger();
        QCOMPARE(w.messages, QStringList{"Level saved successfully!"});
        // An object 0 took the place of the span's length byte.
        QCOMPARE(readWholeFile(path), ImageBuilder().set(11737, bytes({1, 0x05, 0x0C, 0x0C, 0x00, 0x89})).bytes());

        Window::click(w.btnNextEnd);
        chosen = {0x42, 4};
        before = w.state();
        Window::click(w.btnCurrentObject);
        QVERIFY(w.icons.last() == QMessageBox::Warning && w.state() == before);
    }

    // A file size limit below the region makes the write itself fail, whoever runs the test:
    // the window must not call that a success.
    void failedWriteIsNoSuccess()
    {
        Window w;
        const QString path = writeFile(w.dir, "sample.nes", w.sample);
        w.open(path);
        w.load(5);
        w.scrLaps->setValue(9);
        const auto before = w.state();
        rlimit old{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
        // Inside track 5's region: the safety copy fails first, then, with a copy in place, the
        // write stops part way and is rolled back.
        const rlimit lowered{12266, old.rlim_max};
        std::signal(SIGXFSZ, SIG_IGN); // as the editor ignores it from start-up
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &lowered), 0);
        w.mnuSave->trigger();
        setrlimit(RLIMIT_FSIZE, &old); // a copy of the image's size, older than it
        const QString copy = writeFile(w.dir, "sample.bak", QByteArray(w.sample).replace(0, 5, "older"));
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &lowered), 0);
        w.mnuSave->trigger();
        setrlimit(RLIMIT_FSIZE, &old);
        QCOMPARE(w.messages,
                 QStringList({"Track 5 could not be saved: the safety copy \u201Csample.bak\u201D could not "
                              "be written: File too large. Nothing was written.",
                              "Track 5 could not be saved: writing to \u201Csample.nes\u201D failed: File "
                              "too large. The old bytes were written back, so the file is as it was."}));
        QVERIFY(w.icons == QList<QMessageBox::Icon>(2, QMessageBox::Warning) && w.state() == before);
        QCOMPARE(readWholeFile(path), w.sample);
        w.mnuSave->trigger();
        QCOMPARE(w.messages.last(), QStringLiteral("Level saved successfully!"));
        QCOMPARE(readWholeFile(copy).left(5), QByteArray("older"));
    }

    // The editor unpacks its own pictures itself, to the pixels Qt's PNG reader gives.
    void artworkAsQtReadsIt()
    {
        for (const QString path : {":/shell/title.png", ":/shell/about.png", ":/shell/icon16.png"})
            QCOMPARE(shell::ReadArtwork(path), QImage(path).convertToFormat(QImage::Format_RGB32));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"
