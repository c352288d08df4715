#pragma once

#include "shell/actions/action_context.h"

#include <QObject>
#include <QString>

#include <functional>

class QAction;

namespace whoopline::shell {

// What outlives one image: File > Recent Files, File > Play Test and Edit > Preferences... Every
// image opened, or saved under another name, leads the recent files with the track last shown
// in it, and trouble with the settings file is told once in the status bar.
class SessionController : public QObject
{
    Q_OBJECT

public:
    // chosenTrack gives the track chosen for loading, which Play Test starts on while none is shown.
    SessionController(const ActionContext &context, std::function<int()> chosenTrack, QObject *parent);

    QAction *const mnuPlayTest;
    QAction *const mnuPreferences;

    // The open image with every unsaved edit, on the shown track or else the chosen one, in the
    // emulator of the settings.
    void playTest();
    // Tells what went wrong with the settings file, once.
    void tellSettingsTrouble();

signals:
    // A recent image was chosen, to be opened on track (0: none remembered).
    void openRequested(const QString &path, int track);

private:
    void imageOpened();
    void rememberTrack(int track);

    const ActionContext m_context;
    const std::function<int()> m_chosenTrack;
};

} // namespace whoopline::shell
