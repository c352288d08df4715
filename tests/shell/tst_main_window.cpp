#include "sample_tiles.h"
#include "edit/object_selection.h"
#include "shell/session/editor_session.h"
#include "shell/window/artwork_reader.h"
#include "track/track_io.h"
#include "view/open_image.h"
#include "window_harness.h"

using namespace whoopline;
using namespace whoopline::testing;

// The main window: its controls, and its commands as a user runs them, each through to the file.
class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    // Every control of the client area and every menu item, found in the window itself, so that
    // one nobody listed fails too: which are on in each state of the document. The drawings (the
    // marker, the run's tint, the drop line) have no state of their own.
    void controlsFollowTheDocument_data()
    {
        QTest::addColumn<int>("step");
        QTest::addColumn<QString>("on");
        const QString start = "mnuFile mnuOpen mnuRecentFiles mnuExit mnuEdit mnuPreferences mnuTrackMenu mnuView "
                              "mnuTrackOverview mnuMarkAlternative mnuResizableWindow mnuHistory mnuObjectPalette mnuHelp mnuAbout";
        const QString open = start + " mnuSave mnuSaveAs mnuRevert mnuCreatePatch mnuPlayTest mnuFileLine1 mnuTrack1 "
                                     "mnuTrack2 mnuTrack3 mnuTrack4 mnuTrack5 mnuNextTrack mnuPreviousTrack picTrack "
                                     "lblGeneral_0 lblGeneral_1 lblGeneral_2 lblGeneral_3 txtLoadTrack scrLoadTrack btnLoadTrack";
        const QString track = open + " mnuExportTrack mnuExportTrackFile mnuImportTrackFile mnuInsert mnuDelete mnuSetLaps "
                                     "mnuCut mnuCopy mnuPaste mnuDuplicate mnuMoveLeft mnuMoveRight mnuSelectAll mnuGoToObject "
                                     "mnuFindNextMarked mnuFindPreviousMarked btnPrevBeginning btnPrev10 btnPrev btnNext "
                                     "btnNext10 btnNextEnd lblCurrentObject btnCurrentObject lblLength txtLaps scrLaps chkAlternative";
        QTest::newRow("start-up") << 0 << start;
        QTest::newRow("image open") << 1 << open;
        QTest::newRow("track shown") << 2 << track;
        QTest::newRow("laps changed") << 3 << track + " mnuUndo";
        QTest::newRow("another image opened") << 4 << open;
    }
    void controlsFollowTheDocument()
    {
        QFETCH(int, step);
        QFETCH(QString, on);
        Window w;
        const QString image = writeFile(w.dir, "x.nes", w.sample);
        if (step >= 1)
            w.open(image);
        if (step >= 2)
            w.load(2);
        if (step >= 3)
            w.scrLaps->setValue(w.scrLaps->value() + 1);
        w.answer = QMessageBox::Discard;
        if (step >= 4)
            w.open(writeFile(w.dir, "y.nes", w.sample));
        QList<QObject *> all;
        for (QWidget *widget : w.findChild<QWidget *>("client")->findChildren<QWidget *>())
            if (!widget->objectName().startsWith("shp"))
                all << widget;
        for (QAction *menu : w.menuBar()->actions())
            for (QAction *item : QList<QAction *>{menu} + menu->menu()->actions())
                if (!item->isSeparator() || !item->objectName().isEmpty())
                    all << item;
        QStringList enabled;
        for (QObject *control : all)
            if (control->property("enabled").toBool())
                enabled << control->objectName();
        QStringList expected = on.split(' ');
        enabled.sort();
        expected.sort();
        QCOMPARE(enabled, expected);
    }

    // View > Resizable Window: off, the window has its specified size and no Maximize; on, a
    // wider window's track view holds more objects, the first 512 pixels as the specified view
    // draws them, and the other controls keep their places.
    void resizableWindow()
    {
        Window w;
        QAction *resizable = w.named<QAction>("mnuResizableWindow");
        resizable->setChecked(false); // as by default, whatever a failed run left
        w.open(writeFile(w.dir, "x.nes", w.sample));
        w.load(3);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QImage specified = w.picTrack->picture();
        const QSize fixed = w.size();
        QVERIFY(!(w.windowFlags() & Qt::WindowMaximizeButtonHint));
        resizable->trigger();
        QVERIFY(w.windowFlags() & Qt::WindowMaximizeButtonHint);
        QCOMPARE(w.picTrack->picture(), specified);
        w.resize(fixed.width() + 400, fixed.height() + 100);
        QTRY_COMPARE(w.picTrack->width(), 912);
        QCOMPARE(w.picTrack->picture().copy(0, 0, 512, 256), specified);
        QVERIFY(view::ObjectAtStripX(w.doc().track(), 900, 912) > view::ObjectAtStripX(w.doc().track(), 500));
        QVERIFY(w.showsTheModel());
        QCOMPARE(w.btnNextEnd->geometry(), QRect(496, 272, 25, 25));
        resizable->trigger();
        QTRY_COMPARE(w.size(), fixed);
        QCOMPARE(w.picTrack->picture(), specified);
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
        window.named<QAction>("mnuAbout")->trigger();
        window.named<QAction>("mnuExit")->trigger();
        QCOMPARE(std::tuple(window.isVisible(), window.messages.isEmpty()), std::tuple(false, true));
    }

    // Open changes the window only for an image; without a track nothing acts; Load reads the
    // chooser, not its text box; the buttons move and redraw; Save writes the shown track, not
    // the chosen one.
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
        QCOMPARE(std::tuple(w.state(), QFileInfo::exists(missing)), std::tuple(before, false));

        QCOMPARE(sample::SampleTileArtProblems(), QStringList()); // our art, as the image holds it
        const QString path = writeFile(w.dir, "sample.nes", w.sample);
        w.open(path);
        QCOMPARE(w.lblFileName->toolTip(), path);
        const auto image = view::OpenImage(path);
        QCOMPARE(std::tuple(w.picTrack->picture(), w.mnuSave->isEnabled()), std::tuple(image->graphics.picBuffer, true));
        const auto opened = w.state();
        for (QWidget *button : QList<QWidget *>{w.named<QPushButton>("btnPrevBeginning"), w.btnPrev10, w.named<QPushButton>("btnPrev"), w.btnNext,
                                                w.btnNext10, w.btnNextEnd, w.btnCurrentObject, w.chkAlternative})
            Window::click(button);
        QCOMPARE(std::tuple(w.chkAlternative->isChecked(), w.state(), w.messages.size()), std::tuple(false, opened, 1));
        w.mnuSave->trigger();
        QVERIFY2(w.messages.last().contains("Load first"), qPrintable(w.messages.last()));

        w.load(1);
        Window::click(w.btnNext);
        w.scrLoadTrack->setValue(4);
        w.named<QLineEdit>("txtLoadTrack")->setText("2");
        Window::click(w.btnLoadTrack);
        const auto expected = track::ReadTrack(path, 4, image->ObjectWidthTable);
        QCOMPARE(std::tuple(w.lblTrack->text(), w.doc().track().TrackObjects, w.lblObject->text(), w.txtLaps->text()), std::tuple("Track 4", expected->objects, QString("Object 1 of %1").arg(expected->objects.size()), QString::number(expected->laps)));
        Window::click(w.btnNextEnd);
        QCOMPARE(w.lblObject->text(), QString("Object %1 of %1").arg(expected->objects.size()));
        QVERIFY(w.showsTheModel());
        w.scrLaps->setValue(255);
        w.scrLoadTrack->setValue(1);
        w.mnuSave->trigger();
        QCOMPARE(std::tuple(w.messages.last(), w.icons.last()), std::tuple("Level saved successfully!", QMessageBox::Information));
        QByteArray saved = w.sample;
        saved[12002] = char(255); // track 4's laps byte, position 12003
        QCOMPARE(readWholeFile(path), saved);
    }

    // The user's click on the box never marks a span; the "..." button hands the current object
    // to the selector and replaces it on OK only.
    void editsTheCurrentObject()
    {
        Window w;
        const QString path = ImageBuilder().set(11737, bytes({1, 0x05, 0x0C, 0x40, 0x03, 0x89})).write(w.dir);
        w.open(path);
        w.load(3);
        QCOMPARE(w.txtLaps->text(), "1"); // shown although the value did not change
        Window::click(w.btnNext);
        Window::click(w.btnNext);
        Window::click(w.chkAlternative); // greyed, saying why
        QCOMPARE(std::tuple(w.chkAlternative->isChecked(), w.chkAlternative->isEnabled(), w.lblCurrentObject->text()), std::tuple(false, false, "$40"));
        QVERIFY(w.chkAlternative->toolTip().startsWith("A two-byte object can't be marked"));
        QCOMPARE(w.lblLength->text(), "3");

        std::pair<int, int> offered;
        bool ok = false;
        w.runObjectSelector = [&](QWidget *, const edit::ObjectChoice &shown) {
            offered = {shown.SelectedObjectNumber, shown.SelectedLength};
            return ok ? std::optional(edit::ObjectChoice{0x0C, 9}) : std::nullopt;
        };
        auto before = w.state();
        Window::click(w.btnCurrentObject); // Cancel
        QCOMPARE(std::tuple(offered, w.state()), std::tuple(std::pair(0x40, 3), before));
        Window::click(w.btnNext); // a one-byte object shows the length shown last
        QCOMPARE(std::tuple(w.chkAlternative->isEnabled(), w.chkAlternative->toolTip().contains("one-byte object appears")), std::tuple(true, true));
        Window::click(w.btnCurrentObject);
        QCOMPARE(offered, std::pair(0x89, 3));
        Window::click(w.named<QPushButton>("btnPrev"));
        ok = true;
        Window::click(w.btnCurrentObject);
        QCOMPARE(std::tuple(w.lblObject->text(), w.lblCurrentObject->text(), w.showsTheModel()), std::tuple("Object 3 of 144", "$0C", true));
    }

    // Sample track 4 from object 20, whose sixth is marked for the alternative track. The overview
    // sits under the client area, which keeps its place; a click there, the wheel and the View
    // items redraw as a step does, and a new window shows what the last one's View menu left.
    void overviewWheelAndMarks_data()
    {
        QTest::addColumn<QPoint>("delta");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("current");
        QTest::newRow("down") << QPoint(0, -120) << 0 << 21;
        QTest::newRow("up, ten") << QPoint(0, 120) << int(Qt::ShiftModifier) << 10;
        QTest::newRow("sideways, ten") << QPoint(-120, 0) << int(Qt::ShiftModifier) << 30;
    }
    void overviewWheelAndMarks()
    {
        Window w;
        const QList<QAction *> shows = {w.named<QAction>("mnuTrackOverview"), w.mnuMarkAlternative};
        for (QAction *item : shows) // as by default, whatever a test before left
            item->setChecked(true);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        shell::TrackOverviewWidget *overview = w.overview;
        QWidget *client = w.findChild<QWidget *>("client");
        const int top = w.menuBar()->height();
        QCOMPARE(std::tuple(QRect(client->mapTo(&w, QPoint()), client->size()), overview->mapTo(&w, QPoint())), std::tuple(QRect(0, top, 529, 351), QPoint(0, top + 351)));
        // Nothing to scroll yet: no scroll bar, but its room.
        QCOMPARE(std::tuple(overview->width(), w.statusBar()->y(), overview->horizontalScrollBar()->isVisible()), std::tuple(w.width(), top + 351 + overview->height(), false));
        w.open(writeFile(w.dir, "sample.nes", w.sample));
        w.load(4);
        QTRY_COMPARE(std::tuple(overview->horizontalScrollBar()->isVisible(), w.statusBar()->y()), std::tuple(true, top + 351 + overview->height()));
        // Object 20 of sample track 4 takes overview pixels 162..173.
        QTest::mouseClick(overview->viewport(), Qt::LeftButton, {}, QPoint(170, 10));
        QCOMPARE(std::tuple(w.doc().track().CurrentObject, w.showsTheModel()), std::tuple(20, true));
        QFETCH(QPoint, delta);
        QFETCH(int, modifiers);
        QFETCH(int, current);
        QWheelEvent wheel({100, 100}, {}, {}, delta, {}, Qt::KeyboardModifiers(modifiers), Qt::NoScrollPhase, false);
        QApplication::sendEvent(w.picTrack, &wheel);
        QCOMPARE(std::tuple(w.doc().track().CurrentObject, w.showsTheModel()), std::tuple(current, true));

        w.document().setCurrentObject(20);
        QHelpEvent tip(QEvent::ToolTip, {2, 100}, w.picTrack->mapToGlobal(QPoint(2, 100)));
        QApplication::sendEvent(w.picTrack, &tip);
        QVERIFY2(QToolTip::text().contains("Object 21 of "), qPrintable(QToolTip::text()));
        const QImage marked = w.picTrack->picture(), strip = overview->grab().toImage();
        for (QAction *item : shows)
            item->trigger();
        QVERIFY(w.picTrack->picture() != marked);
        QVERIFY(w.showsTheModel());
        QVERIFY(overview->grab().toImage() != strip);
        QTRY_COMPARE(std::tuple(overview->isVisible(), w.statusBar()->y()), std::tuple(false, top + 351));
        Window next;
        QVERIFY(!next.mnuMarkAlternative->isChecked());
        QVERIFY(!next.overview->isVisibleTo(&next));
        for (QAction *item : shows)
            item->trigger();
    }

    // File > Play Test (F5) hands the emulator the image with the unsaved edits of every track, as
    // Save As writes it, on the track shown, and touches neither the image nor its safety copy.
    // File > Recent Files lists the images opened or saved as, newest first; an entry opens as
    // Open does, asking first about unsaved edits.
    void playTestAndRecentFiles_data()
    {
        QTest::addColumn<QString>("command"); // EMU: a stand-in that keeps a copy of its image
        QTest::addColumn<QString>("told");    // in the status bar or a warning
        QTest::newRow("started") << "sh EMU %f" << "Play test: track 4 started in sh";
        QTest::newRow("refused") << "/no/emu" << "The emulator could not be started: /no/emu: No such";
    }

    void playTestAndRecentFiles()
    {
        QFETCH(QString, command);
        QFETCH(QString, told);
        Window w;
        const QString a = writeFile(w.dir, "a.nes", w.sample), b = writeFile(w.dir, "b.nes", w.sample);
        const QString copy = w.dir.filePath("copy"), c = w.dir.filePath("c.nes");
        w.session().settings().set(shell::Settings::EmulatorCommand, command.replace("EMU", writeFile(w.dir, "emu", QString("cp \"$1\" %1.part && mv %1.part %1\n").arg(copy).toUtf8())));
        w.open(a);
        w.open(b);
        const QList<QAction *> entries = w.named<QMenu>("mnuRecentFiles")->actions();
        QCOMPARE(QStringList({entries[0]->toolTip(), entries[1]->toolTip()}), QStringList({b, a}));
        for (const int track : {2, 4}) {
            w.load(track);
            w.mnuDelete->trigger();
        }
        w.scrLoadTrack->setValue(1); // chosen, not shown
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTest::keyClick(&w, Qt::Key_F5);
        QVERIFY2((w.statusBar()->currentMessage() + w.messages.join('|')).startsWith(told), qPrintable(w.messages.join('|')));
        entries[1]->trigger(); // Cancel
        QCOMPARE(std::tuple(w.questions.size(), w.doc().modifiedTracks(), readWholeFile(b), QFile::exists(w.dir.filePath("b.bak"))), std::tuple(1, QList({2, 4}), w.sample, false));
        w.chooseSaveFile = [&](QWidget *, const QString &, const QString &, const QString &) { return c; };
        w.named<QAction>("mnuSaveAs")->trigger();
        QTRY_COMPARE(readWholeFile(copy), told.startsWith("Play") ? readWholeFile(c) : QByteArray());
        QVERIFY(readWholeFile(c) != w.sample);
        QCOMPARE(w.named<QMenu>("mnuRecentFiles")->actions().at(0)->toolTip(), c);
        w.named<QMenu>("mnuRecentFiles")->actions().at(1)->trigger(); // b, which opens with the track last shown in it
        QCOMPARE(w.doc().path() + QString::number(w.doc().shownTrack()), b + "4");
    }

    // Each menu's items answer to access keys of their own, as the menu bar's menus do.
    void accessKeysAreUnique()
    {
        shell::frmMain window;
        QList<QList<QAction *>> menus = {window.menuBar()->actions()};
        for (QAction *menu : window.menuBar()->actions())
            menus << menu->menu()->actions();
        for (const QList<QAction *> &items : menus) {
            QStringList keys;
            for (QAction *item : items)
                if (const int at = item->text().indexOf('&'); !item->isSeparator() && at >= 0)
                    keys << item->text().mid(at + 1, 1).toLower();
            QStringList unique = keys;
            unique.removeDuplicates();
            QCOMPARE(keys, unique);
        }
    }

    // Ctrl+4 loads track 4 as Load does; F3 visits each marked object and goes round the end with
    // a note; Ctrl+G and Ctrl+A go to an object and select the track; the caption and History
    // follow the unsaved edit.
    void tracksAndMarkedObjectsByKey()
    {
        Window w;
        w.open(writeFile(w.dir, "sample.nes", w.sample));
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTest::keyClick(&w, Qt::Key_4, Qt::ControlModifier);
        QCOMPARE(w.named<QLineEdit>("txtLoadTrack")->text() + " " + w.lblTrack->text() + ", " + w.named<QLabel>("lblMarked")->text(), "4 Track 4, 4 marked objects");
        QList<int> marked;
        for (int i = 0; i < 5; ++i, QTest::keyClick(&w, Qt::Key_F3))
            marked << w.doc().track().CurrentObject;
        QCOMPARE(marked, QList({0, 25, 43, 68, 96})); // and round to 25
        w.askObjectNumber = [](QWidget *, int current, int) { return current == 26 ? std::optional(12) : std::nullopt; };
        QTest::keyClick(&w, Qt::Key_G, Qt::ControlModifier);
        QTest::keyClick(&w, Qt::Key_F3, Qt::ShiftModifier);
        QCOMPARE(QString::number(w.doc().track().CurrentObject) + " " + w.statusBar()->currentMessage(), "96 Went on from the track's end.");
        QTest::keyClick(&w, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(edit::SelectedRun(w.doc().shownState()).count, w.doc().track().TrackObjects.size());
        w.scrLaps->setValue(9);
        QCOMPARE(std::tuple(w.windowTitle() + QString::number(w.isWindowModified()), w.findChild<QUndoView *>()->model()->rowCount()), std::tuple("Whoopline - Version 1.0b - Quenby - sample.nes[*]1", 2)); // as loaded, and the laps
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
