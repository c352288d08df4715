// Settings, recent files, Preferences and the play test, with settings and temporary files in
// folders of the test's own.
#include "image_builder.h"
#include "shell/dialogs/frm_preferences.h"
#include "shell/session/editor_session.h"
#include "shell/session/editor_settings.h"
#include "shell/session/play_test.h"
#include "shell/session/recent_files.h"
#include "shell/window/frm_main.h"

#include <QtTest>
#include <QtWidgets>

#include <sys/mount.h>
#include <sys/stat.h>

using namespace whoopline;
using namespace whoopline::shell;

// Copies the file it is given to OUT/copy, writes its arguments to OUT/received and leaves a
// file in its working folder, as emulators keep their saves.
constexpr const char *StandInEmulator =
    "#!/bin/sh\n: > state\nfor a; do f=\"${a#--rom=}\"; [ -f \"$f\" ] && cp \"$f\" %1/copy; done\n"
    "IFS='|'; printf '%s\\n' \"$*\" > %1/part; mv %1/part %1/received\n";

class SessionToolsTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_home;
    QTemporaryDir m_files;
    QTemporaryDir m_temp;
    QString m_settingsFile;

    // Every file below folder, by path relative to it.
    static QStringList filesUnder(const QString &folder)
    {
        QStringList found;
        QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext())
            found << QDir(folder).relativeFilePath(it.next());
        return found;
    }

private slots:
    void initTestCase()
    {
        // Settings under a home of the test's own, temporary files in its own temporary folder.
        qputenv("HOME", m_home.path().toLocal8Bit());
        qputenv("TMPDIR", m_temp.path().toLocal8Bit());
        QStandardPaths::setTestModeEnabled(true);
        m_settingsFile = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                         + "/Whoopline/Whoopline.conf";
    }

    void init()
    {
        QDir(QFileInfo(m_settingsFile).path()).removeRecursively();
        QFile::remove(QFileInfo(m_settingsFile).path());
    }

    void recentOrder_data()
    {
        QTest::addColumn<QStringList>("opened"); // "-" clears the list
        QTest::addColumn<QString>("menu");
        QTest::newRow("newest first") << QStringList{"a", "b", "c"}
                                      << "&1 c.nes|&2 b.nes|&3 a.nes||Clear Recent Files";
        QTest::newRow("reopened to front") << QStringList{"a", "b", "c", "a"}
                                           << "&1 a.nes|&2 c.nes|&3 b.nes||Clear Recent Files";
        QTest::newRow("last 8") << QStringList{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}
                                << "&1 10.nes|&2 9.nes|&3 8.nes|&4 7.nes|&5 6.nes|&6 5.nes|"
                                   "&7 4.nes|&8 3.nes||Clear Recent Files";
        QTest::newRow("cleared") << QStringList{"a", "b", "-", "c"}
                                 << "&1 c.nes||Clear Recent Files";
        QTest::newRow("empty") << QStringList{"a", "-"} << "Clear Recent Files";
    }

    void recentOrder()
    {
        QFETCH(QStringList, opened);
        QFETCH(QString, menu);
        {
            EditorSettings settings;
            QMenu menu;
            RecentFilesMenu recent(settings, &menu);
            for (const QString &name : opened)
                name == "-" ? menu.actions().constLast()->trigger()
                            : recent.addOpened("/images/" + name + ".nes");
        }
        // What the next run finds, in the menu it builds.
        EditorSettings settings;
        QMenu next;
        RecentFilesMenu recent(settings, &next);
        QStringList shown;
        for (QAction *action : next.actions())
            shown << action->text();
        QCOMPARE(std::tuple(shown.join('|'), next.actions().constLast()->isEnabled()), std::tuple(menu, shown.size() > 1));
    }

    void recentGoneAway()
    {
        const QString kept = testing::writeFile(m_files, "kept.nes", "x");
        QCOMPARE(::mkfifo(QFile::encodeName(m_files.filePath("pipe.nes")).constData(), 0600), 0);
        QVERIFY(QDir(m_files.path()).mkpath("dir.nes"));
        EditorSettings settings;
        settings.set(Settings::RecentFiles, QStringList{m_files.filePath("gone.nes"), m_files.filePath("pipe.nes"), m_files.filePath("dir.nes"), kept});
        QMenu menu;
        RecentFilesMenu recent(settings, &menu);
        QSignalSpy opened(&recent, &RecentFilesMenu::openRequested);
        QSignalSpy reported(&recent, &RecentFilesMenu::reported);
        for (int i = 0; i < 3; ++i)
            menu.actions().at(0)->trigger();
        QCOMPARE(std::tuple(reported.size(), opened.isEmpty()), std::tuple(3, true));
        QVERIFY(reported[0][0].toString().startsWith("“gone.nes” is no longer there"));
        QVERIFY(reported[1][0].toString().startsWith("“pipe.nes” is now a named pipe, not a cartridge image."));
        QVERIFY(reported[2][0].toString().startsWith("“dir.nes” is now a folder, not a cartridge image."));
        QCOMPARE(settings.get(Settings::RecentFiles), QStringList{kept});
        menu.actions().at(0)->trigger();
        QCOMPARE(opened, QList<QVariantList>{{kept}});
    }

    void settingsTrouble_data()
    {
        QTest::addColumn<QString>("trouble");
        QTest::addColumn<QString>("told");
        QTest::addColumn<bool>("saved"); // a damaged file is written afresh
        QTest::newRow("none") << "" << "" << true;
        QTest::newRow("damaged") << "damaged" << "Settings could not be read: " << false; // and kept as it is
        QTest::newRow("read-only") << "read-only" << "Settings could not be saved: “" << false;
        QTest::newRow("unreadable") << "folder" << "Settings could not be read: " << false;
        QTest::newRow("unwritable") << "no folder" << "Settings could not be saved: " << false;
    }

    void settingsTrouble()
    {
        QFETCH(QString, trouble);
        QFETCH(QString, told);
        QFETCH(bool, saved);
        const QString folder = QFileInfo(m_settingsFile).path();
        const QByteArray mountPoint = QFile::encodeName(folder);
        // Read-only for root too: a file system of its own, mounted so once the file is there.
        const bool mounted = trouble == "read-only" && QDir().mkpath(folder) && ::mount("tmpfs", mountPoint, "tmpfs", 0, "size=64k") == 0;
        const auto restore = qScopeGuard([&] { mounted ? void(::umount2(mountPoint, MNT_DETACH)) : void(QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner)); });
        EditorSettings().set(Settings::EmulatorCommand, "earlier %f");
        QFile damaged(m_settingsFile);
        if (trouble == "damaged") {
            QVERIFY(damaged.open(QIODevice::Append));
            QVERIFY(damaged.write("\n[view\nx=1\n") > 0);
        }
        if (trouble == "folder") {
            QVERIFY(QFile::remove(m_settingsFile));
            QVERIFY(QDir().mkpath(m_settingsFile));
        }
        if (trouble == "no folder") {
            QVERIFY(QDir(folder).removeRecursively());
            QVERIFY(QFile(folder).open(QIODevice::WriteOnly));
        }
        if (trouble == "read-only")
            QVERIFY(mounted ? ::mount("tmpfs", mountPoint, "tmpfs", MS_REMOUNT | MS_RDONLY, "size=64k") == 0 : QFile::setPermissions(m_settingsFile, QFile::ReadOwner));
        if (trouble == "read-only" && !mounted)
            QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        damaged.close();
        const QByteArray before = testing::readWholeFile(m_settingsFile);
        EditorSettings settings;
        QCOMPARE(settings.get(Settings::EmulatorCommand), trouble.isEmpty() || trouble == "read-only" ? "earlier %f" : "");
        settings.set(Settings::EmulatorCommand, "kept %f");
        QCOMPARE(settings.get(Settings::EmulatorCommand), "kept %f");
        const QString text = settings.takeStatusText();
        QVERIFY2(text.contains(QRegularExpression(told.isEmpty() ? "^$" : "^" + QRegularExpression::escape(told) + ".*Whoopline\\.conf")), qPrintable(text));
        settings.set(Settings::LastOpenFolder, "/somewhere");
        QCOMPARE(settings.takeStatusText(), ""); // said once only
        QCOMPARE(EditorSettings().get(Settings::LastOpenFolder), saved ? "/somewhere" : "");
        QVERIFY(trouble != "read-only" || text.contains(mounted ? "Read-only file system" : "Permission denied"));
        if (!saved && trouble != "folder") // left byte for byte as it was
            QCOMPARE(testing::readWholeFile(m_settingsFile), before);
    }

    // Open starts in the open image's folder, else in the folder of the image opened last, in
    // this run or an earlier one; a settings file that cannot be read is told in the window.
    void openFolderAndTroubleInTheWindow()
    {
        QMenu first, second, third;
        EditorSession(&first).imageOpened(testing::writeFile(m_files, "a.nes", "x"));
        QCOMPARE(std::tuple(EditorSession(&second).openFolder(""), EditorSession(&third).openFolder("/else/b.nes")), std::tuple(m_files.path(), "/else"));
        QVERIFY(QFile::remove(m_settingsFile));
        QVERIFY(QDir().mkpath(m_settingsFile));
        frmMain window;
        window.show();
        QVERIFY(window.statusBar()->currentMessage().startsWith("Settings could not be read: “"));
    }

    void playTest_data()
    {
        QTest::addColumn<QString>("command"); // EMU: the stand-in emulator
        QTest::addColumn<QString>("received"); // its arguments joined by "|"; FILE: the image
        QTest::newRow("path alone") << "EMU %f" << "FILE";
        QTest::newRow("among options") << "EMU --fullscreen %f -v" << "--fullscreen|FILE|-v";
        QTest::newRow("no %f: path last") << "EMU '-a b' \"c d\" ''" << "-a b|c d||FILE";
        QTest::newRow("as a shell quotes") << R"(EMU a\ \'b "\"'\$\a" '\' "" %f)"
                                           << R"(a 'b|"'$\a|\||FILE)";
        QTest::newRow("inside an argument") << "EMU --rom=%f" << "--rom=FILE";
    }

    void playTest()
    {
        QFETCH(QString, command);
        QFETCH(QString, received);
        QTemporaryDir out(m_files.filePath("XXXXXX")), images(m_files.filePath("XXXXXX"));
        const QString emulator = testing::writeFile(out, "emu", QString(StandInEmulator).arg(out.path()).toUtf8());
        QVERIFY(QFile(emulator).setPermissions(QFile::ReadOwner | QFile::ExeOwner));
        QByteArray image(40976, 0x11);
        const QString imagePath = testing::writeFile(images, "race.nes", image);
        testing::writeFile(images, "race.bak", image);
        const QByteArray saved = image;
        image[11737] = 9; // an unsaved edit goes along
        {
            PlayTestLauncher launcher;
            const Result<QString> started = launcher.start(image, imagePath, 3, command.replace("EMU", emulator));
            QCOMPARE(started ? *started : started.error(), "Play test: track 3 started in emu");
            QTRY_VERIFY(QFile::exists(out.filePath("received")));
            const QStringList made = filesUnder(m_temp.path()).filter(".nes");
            QCOMPARE(made.size(), 1);
            QCOMPARE(testing::readWholeFile(out.filePath("received")),
                     received.replace("FILE", m_temp.filePath(made[0])).toUtf8() + "\n");
            QCOMPARE(testing::readWholeFile(out.filePath("copy")), image);
        }
        QCOMPARE(filesUnder(m_temp.path()), QStringList{}); // gone with the editor
        QCOMPARE(std::tuple(filesUnder(images.path()).size(), testing::readWholeFile(imagePath), testing::readWholeFile(images.filePath("race.bak"))), std::tuple(2, saved, saved));
    }

    void playTestRefused_data()
    {
        QTest::addColumn<QString>("command"); // PLAIN: a file that is not a program
        QTest::addColumn<QString>("told"); // empty: Preferences is asked for a command
        QTest::newRow("empty") << "" << "";
        QTest::newRow("blank") << " \t" << "";
        QTest::newRow("not found") << "no-such-emu %f" << "no-such-emu: No such file or directory";
        QTest::newRow("no such path") << "/no/emu %f" << "/no/emu: No such file or directory";
        QTest::newRow("folder") << "/ %f" << "/: Is a directory";
        QTest::newRow("unclosed quote") << "emu '%f" << "unclosed ' quote";
        QTest::newRow("unclosed double quote") << "emu \"%f" << "unclosed \" quote";
        QTest::newRow("not a program") << "PLAIN" << "plain: Permission denied";
    }

    void playTestRefused()
    {
        QFETCH(QString, command);
        QFETCH(QString, told);
        const QString plain = testing::writeFile(m_files, "plain", "#!/bin/sh\n");
        QMenu menu;
        EditorSession session(&menu);
        session.settings().set(Settings::EmulatorCommand, command.replace("PLAIN", plain));
        bool asked = false;
        session.askForEmulatorCommand = [&](QWidget *) { return !(asked = true); };
        const Result<QString> started = session.playTest(nullptr, "image", "/images/race.nes", 1);
        QCOMPARE(asked, told.isEmpty());
        QCOMPARE(started.ok(), told.isEmpty()); // nothing to say when no command was given
        QVERIFY2(started ? started->isEmpty() : started.error().contains(told), qPrintable(started.error()));
        QCOMPARE(filesUnder(m_temp.path()).filter(".nes"), QStringList{});
    }

    // An emulator that ends at once is told with its exit status or signal and its last words,
    // kept in a log beside the copy; one that goes on running is not.
    void playTestEndsAtOnce_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("told"); // empty: nothing
        QTest::newRow("exit status") << "sh -c 'echo starting; echo no such mapper >&2; exit 3'"
                                     << "sh ended with exit status 3 right after it started. It said:\nstarting\nno such mapper\n";
        QTest::newRow("signal") << "sh -c 'kill -SEGV $$'" << "sh was ended by signal 11 (Segmentation fault) right";
        QTest::newRow("running") << "sh -c 'sleep 3'" << "";
    }
    void playTestEndsAtOnce()
    {
        QFETCH(QString, command);
        QFETCH(QString, told);
        PlayTestLauncher launcher;
        launcher.startupTime = 1000;
        QSignalSpy ended(&launcher, &PlayTestLauncher::emulatorEnded);
        QVERIFY(launcher.start("image", "/images/race.nes", 2, command).ok());
        QTest::qWait(told.isEmpty() ? 1500 : 0);
        QTRY_COMPARE(ended.size(), int(!told.isEmpty()));
        const QString log = m_temp.filePath(filesUnder(m_temp.path()).filter("/race-play1.log").value(0)), text = ended.value(0).value(0).toString();
        const QRegularExpression said(QRegularExpression::escape(told) + ".*" + QRegularExpression::escape("Its output is kept in “" + log + "”.") + "$", QRegularExpression::DotMatchesEverythingOption);
        QVERIFY2(told.isEmpty() || text.contains(said), qPrintable(text));
    }

    // A TMPDIR that can't be used gives way to the system's folder, and one that is full leaves
    // no folder behind, as a folder without its lock would stay for ever.
    void playTestFolderTrouble()
    {
        qputenv("TMPDIR", m_temp.filePath("missing").toLocal8Bit());
        const auto fallback = PlayTestLauncher::temporaryFolder();
        QCOMPARE(std::tuple(fallback.path, fallback.note.startsWith("TMPDIR names “" + m_temp.filePath("missing") + "”")), std::tuple("/tmp", true));
        QTemporaryDir full(m_temp.filePath("XXXXXX"));
        qputenv("TMPDIR", full.path().toLocal8Bit());
        const auto restore = qScopeGuard([&] { ::umount2(QFile::encodeName(full.path()), MNT_DETACH), qputenv("TMPDIR", m_temp.path().toLocal8Bit()); });
        if (::mount("tmpfs", QFile::encodeName(full.path()).constData(), "tmpfs", 0, "size=64k") != 0)
            QSKIP("Mounting a small file system takes root.");
        for (QFile filler(full.filePath("filler")); filler.isOpen() || filler.open(QIODevice::WriteOnly);)
            if (filler.write(QByteArray(4096, 'f')) != 4096 || !filler.flush())
                break;
        PlayTestLauncher launcher;
        QVERIFY(launcher.start("image", "/images/race.nes", 1, "true").error().contains("its lock file could not be written"));
        QCOMPARE(QDir(full.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList{});
    }

    void preferences()
    {
        const QString emulator = testing::writeFile(m_files, "nestopia", "#!/bin/sh\n"); // found on the PATH: offered
        QVERIFY(QFile::setPermissions(emulator, QFile::ReadOwner | QFile::ExeOwner));
        qputenv("PATH", m_files.path().toLocal8Bit() + ":" + qgetenv("PATH"));
        EditorSettings settings;
        QCOMPARE(frmPreferences(settings).findChild<QComboBox *>()->itemText(0), "nestopia %f");
        settings.set(Settings::EmulatorCommand, "old %f");
        frmPreferences dialog(settings);
        dialog.focusEmulatorCommand();
        dialog.show();
        QCOMPARE(dialog.focusWidget(), dialog.txtEmulatorCommand->parentWidget()); // the list whose text it is
        QTest::keyClicks(dialog.txtEmulatorCommand, " new %f "); // in place of the old one
        dialog.accept();
        QCOMPARE(settings.get(Settings::EmulatorCommand), "new %f");
    }

    // A killed editor's play-test folder goes at the next play test; the folder of an editor
    // that still runs, and folders without the owner's lock or of other names, stay.
    void playTestAbandonedFolders()
    {
        const QDir temp(m_temp.path());
        const QStringList names = {"whoopline-play-gone", "whoopline-play-running", "whoopline-play-unlocked", "other"};
        for (const QString &name : names) { // the first and the last held by a process no system has
            QVERIFY(temp.mkpath(name));
            if (!name.endsWith("running") && !name.endsWith("unlocked"))
                testing::writeFile(m_temp, name + "/owner.lock", "2147483646\nwhoopline\n\n");
        }
        QLockFile running(temp.filePath("whoopline-play-running/owner.lock"));
        QVERIFY(running.tryLock(0));
        {
            PlayTestLauncher launcher;
            QVERIFY(launcher.start("image", "/images/race.nes", 1, "true").ok());
            for (const QString &name : names)
                QCOMPARE(temp.exists(name), name != "whoopline-play-gone");
        }
        for (const QString &name : names)
            QDir(temp.filePath(name)).removeRecursively();
    }

    // The object palette comes back where it was left, shown or hidden; hidden at first.
    void paletteRemembered()
    {
        for (const auto &[area, shown] : {std::pair(Qt::LeftDockWidgetArea, true), {Qt::RightDockWidgetArea, false}}) {
            frmMain window;
            auto *item = window.findChild<QAction *>("mnuObjectPalette");
            QVERIFY(item->isChecked() == (area == Qt::RightDockWidgetArea));
            if (!item->isChecked())
                item->trigger();
            auto *palette = window.findChild<QDockWidget *>("dockObjectPalette");
            window.addDockWidget(area, palette);
            palette->setVisible(shown);
            window.close();
            frmMain later;
            later.show();
            item = later.findChild<QAction *>("mnuObjectPalette");
            QCOMPARE(item->isChecked(), shown);
            if (!item->isChecked())
                item->trigger();
            palette = later.findChild<QDockWidget *>("dockObjectPalette");
            QCOMPARE(std::tuple(palette->isVisible(), later.dockWidgetArea(palette)), std::tuple(true, area));
            auto *entries = palette->findChild<QListWidget *>();
            QTRY_VERIFY(entries->indexAt(QPoint(4, entries->viewport()->height() - 2)).row() >= 11); // a dozen in sight
            palette->close(); // its title bar's button
            QVERIFY(!item->isChecked());
        }
    }

    // A floating palette comes back where it floated. A place that is not four numbers, or lies
    // on no screen, never stops a start: the palette docks again, with a note.
    void paletteDamagedPlace_data()
    {
        QTest::addColumn<QByteArray>("place");
        QTest::newRow("on the screen") << QByteArray("40 50 200 300");
        QTest::newRow("on no screen") << QByteArray("40000 50 200 300");
        QTest::newRow("not numbers") << QByteArray("\x01\xff 7");
        QTest::newRow("three numbers") << QByteArray("40 50 200");
    }
    void paletteDamagedPlace()
    {
        QFETCH(QByteArray, place);
        QSettings settings(m_settingsFile, QSettings::IniFormat);
        settings.setValue("view/objectPalette", true);
        settings.setValue("view/objectPaletteFloating", true);
        settings.setValue("view/objectPaletteGeometry", place);
        settings.sync();
        frmMain window;
        window.show();
        auto *palette = window.findChild<QDockWidget *>("dockObjectPalette");
        QVERIFY(palette->isVisible());
        const bool used = QTest::currentDataTag() == QByteArray("on the screen");
        QCOMPARE(std::tuple(palette->isFloating(), palette->geometry() == QRect(40, 50, 200, 300), window.statusBar()->currentMessage().contains("The object palette's remembered place could not be used")), std::tuple(used, used, !used));
    }
};

QTEST_MAIN(SessionToolsTest)
#include "tst_session_tools.moc"
