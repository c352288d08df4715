#pragma once

#include "rom/result.h"
#include "shell/session/editor_settings.h"
#include "shell/session/play_test.h"
#include "shell/session/recent_files.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>

class QMenu;
class QWidget;

namespace whoopline::shell {

// What the main window keeps beyond one image: the settings, the recent files with their menu and
// the play test's temporary files, which go when the session does.
class EditorSession : public QObject
{
    Q_OBJECT

public:
    // recentMenu is File > Recent Files; the session fills it and keeps it in step.
    explicit EditorSession(QMenu *recentMenu, QObject *parent = nullptr);

    EditorSettings &settings() { return m_settings; }
    RecentFilesMenu &recentFiles() { return *m_recent; }
    PlayTestLauncher &launcher() { return m_launcher; }

    // The folder the Open dialog starts in: the open image's, else the one of the last run.
    QString openFolder(const QString &romPath) const;

    // An image was opened: it leads the recent files and its folder is remembered.
    void imageOpened(const QString &path);

    // Shows Preferences focused on the emulator command; true on OK. Replaceable, as tests never
    // block on a modal dialog.
    std::function<bool(QWidget *parent)> askForEmulatorCommand;

    // File > Play Test on image, the open image's bytes with every unsaved edit. With no command
    // set, asks for one first. Returns the status text, empty when the user gave no command, or
    // why nothing started.
    Result<QString> playTest(QWidget *parent, const QByteArray &image, const QString &imagePath,
                             int track);

private:
    EditorSettings m_settings;
    RecentFilesMenu *m_recent;
    PlayTestLauncher m_launcher;
};

} // namespace whoopline::shell
