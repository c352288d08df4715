#include "editor_settings.h"

#include <QFile>

#include <utility>

namespace whoopline::shell {

namespace {

constexpr const char *EmulatorCommandKey = "playTest/emulatorCommand";
constexpr const char *LastOpenFolderKey = "files/lastOpenFolder";
constexpr const char *RecentFilesKey = "files/recent";
constexpr const char *ViewGroup = "view/";

// QSettings only tells that a file failed; opening it names why, in the system's words.
QString reasonFor(const QString &path, QSettings::Status status)
{
    if (status == QSettings::FormatError)
        return QStringLiteral("the file “%1” is damaged").arg(path);
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        return QStringLiteral("the file “%1” cannot be used").arg(path);
    return QStringLiteral("“%1”: %2").arg(path, file.errorString());
}

} // namespace

EditorSettings::EditorSettings()
    : m_settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Whoopline"),
                 QStringLiteral("Whoopline"))
{
    const QSettings::Status status = m_settings.status();
    if (status == QSettings::NoError)
        return;
    // What could be read of a damaged file is no better than the defaults.
    m_settings.clear();
    m_statusText = QStringLiteral("Settings could not be read: %1. The editor starts with the "
                                  "defaults.")
                       .arg(reasonFor(m_settings.fileName(), status));
    m_troubleTold = true;
}

void EditorSettings::store(const QString &key, const QVariant &value)
{
    m_settings.setValue(key, value);
    m_settings.sync();
    if (m_troubleTold || m_settings.status() == QSettings::NoError)
        return;
    m_statusText = QStringLiteral("Settings could not be saved: %1. The editor keeps them for "
                                  "this run only.")
                       .arg(reasonFor(m_settings.fileName(), m_settings.status()));
    m_troubleTold = true;
}

QString EditorSettings::takeStatusText()
{
    return std::exchange(m_statusText, QString());
}

QString EditorSettings::emulatorCommand() const
{
    return m_settings.value(EmulatorCommandKey).toString();
}

void EditorSettings::setEmulatorCommand(const QString &command)
{
    store(EmulatorCommandKey, command);
}

QString EditorSettings::lastOpenFolder() const
{
    return m_settings.value(LastOpenFolderKey).toString();
}

void EditorSettings::setLastOpenFolder(const QString &folder)
{
    store(LastOpenFolderKey, folder);
}

QStringList EditorSettings::recentFiles() const
{
    return m_settings.value(RecentFilesKey).toStringList();
}

void EditorSettings::setRecentFiles(const QStringList &paths)
{
    store(RecentFilesKey, paths);
}

bool EditorSettings::viewFlag(const QString &name, bool defaultValue) const
{
    return m_settings.value(ViewGroup + name, defaultValue).toBool();
}

void EditorSettings::setViewFlag(const QString &name, bool value)
{
    store(ViewGroup + name, value);
}

QByteArray EditorSettings::viewState(const QString &name) const
{
    return m_settings.value(ViewGroup + name).toByteArray();
}

void EditorSettings::setViewState(const QString &name, const QByteArray &state)
{
    store(ViewGroup + name, state);
}

} // namespace whoopline::shell
