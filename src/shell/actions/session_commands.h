#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QAction;
class QWidget;

namespace whoopline::shell {

class frmMain;

// The window's commands on what outlives one image: File > Recent Files, File > Play Test and
// Edit > Preferences... Every image the window opens, or saves under another name, leads the
// recent files, and trouble with the settings file is told once in the status bar.
class SessionCommands : public QObject
{
    Q_OBJECT

public:
    explicit SessionCommands(frmMain &window);

    QAction *mnuPlayTest = nullptr;
    QAction *mnuPreferences = nullptr;

    // Shows Preferences modally over parent; true on OK. Replaceable, as tests never block on a
    // modal dialog.
    std::function<bool(QWidget *parent)> showPreferences;

    // The open image with every unsaved edit, on the shown track or else the one chosen for
    // loading, in the emulator of the settings.
    void playTest();
    void preferences();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void imageOpened();
    void tellSettingsTrouble();
    void warn(const QString &text);

    frmMain &m_window;
};

} // namespace whoopline::shell
