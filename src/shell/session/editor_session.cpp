#include "shell/session/editor_session.h"

#include "shell/dialogs/frm_preferences.h"

#include <QFileInfo>

namespace whoopline::shell {

EditorSession::EditorSession(QMenu *recentMenu, QObject *parent)
    : QObject(parent), m_recent(new RecentFilesMenu(m_settings, recentMenu))
{
    askForEmulatorCommand = [this](QWidget *parent) {
        return showPreferences(parent, m_settings, true);
    };
}

QString EditorSession::openFolder(const QString &romPath) const
{
    if (!romPath.isEmpty())
        return QFileInfo(romPath).path();
    return m_settings.get(Settings::LastOpenFolder);
}

void EditorSession::imageOpened(const QString &path)
{
    m_recent->addOpened(path);
    m_settings.set(Settings::LastOpenFolder, QFileInfo(path).path());
}

Result<QString> EditorSession::playTest(QWidget *parent, const QByteArray &image,
                                        const QString &imagePath, int track)
{
    if (!PlayTestLauncher::hasCommand(m_settings.get(Settings::EmulatorCommand))
        && (!askForEmulatorCommand(parent)
            || !PlayTestLauncher::hasCommand(m_settings.get(Settings::EmulatorCommand))))
        return QString();
    return m_launcher.start(image, imagePath, track, m_settings.get(Settings::EmulatorCommand));
}

} // namespace whoopline::shell
