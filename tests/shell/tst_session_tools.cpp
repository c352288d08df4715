// Settings, recent files, Preferences and the play test, with settings and temporary files in
// folders of the test's own.
#include "editor_settings.h"
#include "frm_preferences.h"
#include "image_builder.h"
#include "play_test.h"
#include "recent_files.h"

#include <QtTest>
#include <QtWidgets>

using namespace whoopline;
using namespace whoopline::shell;

class SessionToolsTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_home;
    QTemporaryDir m_files;
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
        qputenv("TMPDIR", m_files.path().toLocal8Bit());
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
        QTest::addColumn<QStringList>("listed");
        QTest::newRow("newest first") << QStringList{"a", "b", "c"} << QStringList{"c", "b", "a"};
        QTest::newRow("reopened to front") << QStringList{"a", "b", "c", "a"}
                                           << QStringList{"a", "c", "b"};
        QTest::newRow("last 8") << QStringList{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}
                                << QStringList{"10", "9", "8", "7", "6", "5", "4", "3"};
        QTest::newRow("cleared") << QStringList{"a", "b", "-", "c"} << QStringList{"c"};
    }

    void recentOrder()
    {
        QFETCH(QStringList, opened);
        QFETCH(QStringList, listed);
        {
            EditorSettings settings;
            QMenu menu;
            RecentFilesMenu recent(settings, &menu);
            for (const QString &name : opened) {
                if (name == "-")
                    menu.actions().constLast()->trigger();
                else
                    recent.addOpened("/images/" + name + ".nes");
            }
        }
        // What the next run finds, in the menu it builds.
        EditorSettings settings;
        QMenu menu;
        RecentFilesMenu recent(settings, &menu);
        QStringList shown;
        for (QAction *action : menu.actions())
            shown << action->text();
        QStringList expected;
        for (int i = 0; i < listed.size(); ++i)
            expected << QString("&%1 %2.nes").arg(i + 1).arg(listed[i]);
        QCOMPARE(shown.mid(0, listed.size()), expected);
        QCOMPARE(shown.constLast(), "Clear Recent Files");
        QCOMPARE(menu.actions().constLast()->isEnabled(), !listed.isEmpty());
    }

    void recentGoneAway()
    {
        const QString kept = testing::writeFile(m_files, "kept.nes", "x");
        const QString gone = m_files.filePath("gone.nes");
        EditorSettings settings;
        settings.setRecentFiles({gone, kept});
        QMenu menu;
        RecentFilesMenu recent(settings, &menu);
        QSignalSpy opened(&recent, &RecentFilesMenu::openRequested);
        QSignalSpy reported(&recent, &RecentFilesMenu::reported);

        menu.actions().at(0)->trigger();
        QCOMPARE(opened.count(), 0);
        QCOMPARE(reported.count(), 1);
        QVERIFY(reported[0][0].toString().startsWith("“gone.nes” is no longer there"));
        QCOMPARE(settings.recentFiles(), QStringList{kept});

        menu.actions().at(0)->trigger();
        QCOMPARE(opened.count(), 1);
        QCOMPARE(opened[0][0].toString(), kept);
    }

    void settingsTrouble_data()
    {
        QTest::addColumn<QString>("trouble");
        QTest::addColumn<QString>("told");
        QTest::newRow("none") << "" << "";
        QTest::newRow("damaged") << "damaged" << "Settings could not be read: ";
        QTest::newRow("unreadable") << "folder" << "Settings could not be read: ";
        QTest::newRow("unwritable") << "no folder" << "Settings could not be saved: ";
    }

    void settingsTrouble()
    {
        QFETCH(QString, trouble);
        QFETCH(QString, told);
        {
            EditorSettings earlier;
            earlier.setEmulatorCommand("earlier %f");
        }
        const QString folder = QFileInfo(m_settingsFile).path();
        QFile damaged(m_settingsFile);
        if (trouble == "damaged")
            QVERIFY(damaged.open(QIODevice::Append) && damaged.write("\n[view\nx=1\n") > 0);
        if (trouble == "folder")
            QVERIFY(QFile::remove(m_settingsFile) && QDir().mkpath(m_settingsFile));
        if (trouble == "no folder")
            QVERIFY(QDir(folder).removeRecursively() && QFile(folder).open(QIODevice::WriteOnly));
        damaged.close();

        EditorSettings settings;
        QCOMPARE(settings.emulatorCommand(), trouble.isEmpty() ? "earlier %f" : "");
        settings.setEmulatorCommand("kept %f");
        settings.setViewFlag("overview", false);
        settings.setViewState("palette", "\x01\x02");
        QCOMPARE(settings.emulatorCommand(), "kept %f");
        const QString text = settings.takeStatusText();
        QCOMPARE(text.left(told.size()), told);
        QCOMPARE(text.isEmpty(), told.isEmpty());
        QVERIFY(text.contains("Whoopline.conf") || told.isEmpty());
        settings.setLastOpenFolder("/somewhere");
        QCOMPARE(settings.takeStatusText(), ""); // said once only
        if (!trouble.isEmpty())
            return;
        const EditorSettings next;
        QCOMPARE(next.viewFlag("overview", true), false);
        QCOMPARE(next.viewFlag("marks", true), true);
        QCOMPARE(next.viewState("palette"), QByteArray("\x01\x02"));
        QCOMPARE(next.lastOpenFolder(), "/somewhere");
    }
};

QTEST_MAIN(SessionToolsTest)
#include "tst_session_tools.moc"
