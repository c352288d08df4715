#include "shell/session/editor_settings.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <utility>

namespace whoopline::shell {

namespace {

constexpr const char *EmulatorCommandKey = "playTest/emulatorCommand";
constexpr const char *LastOpenFolderKey = "files/lastOpenFolder";
constexpr const char *RecentFilesKey = "files/recent";
constexpr const char *ViewGroup = "view/";

// QSettings only tells that a file failed; opening it as the failed access did names why, in
// the system's words. A file is written through a new one beside it, so the folder counts too.
QString reasonFor(const QString &path, QSettings::Status status, bool writing)
{
    if (status == QSettings::FormatError)
        return QStringLiteral("the file “%1” is damaged").arg(path);
    QFile file(path);
    if (!file.open(writing ? QIODevice::Append : QIODevice::ReadOnly))
        return QStringLiteral("“%1”: %2").arg(path, file.errorString());
    QTemporaryFile beside(path);
    if (writing && !beside.open())
        return QStringLiteral("“%1”: %2").arg(QFileInfo(path).path(), beside.errorString());
    return QStringLiteral("the file “%1” cannot be used").arg(path);
}

} // namespace

EditorSettings::EditorSettings()
    : m_settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Whoopline"),
                 QStringLiteral("Whoopline"))
{
    const QSettings::Status status = m_settings.status();
    if (status == QSettings::NoError)
        return;
    // What could be read of a damaged file is no better than the defaults, and writing it would
    // lose the rest: the file stays as it is for the user to mend.
    m_inMemory = true;
    m_statusText = QStringLiteral("Settings could not be read: %1. The editor starts with the "
                                  "defaults and leaves the file as it is.")
                       .arg(reasonFor(m_settings.fileName(), status, false));
    m_troubleTold = true;
}

QVariant EditorSettings::value(const QString &key, const QVariant &defaultValue) const
{
    return m_inMemory ? m_memory.value(key, defaultValue) : m_settings.value(key, defaultValue);
}

void EditorSettings::store(const QString &key, const QVariant &value)
{
    if (m_inMemory) {
        m_memory.insert(key, value);
        return;
    }
    m_settings.setValue(key, value);
    m_settings.sync();
    if (m_troubleTold || m_settings.status() == QSettings::NoError)
        return;
    m_statusText = QStringLiteral("Settings could not be saved: %1. The editor keeps them for "
                                  "this run only.")
                       .arg(reasonFor(m_settings.fileName(), m_settings.status(), true));
    m_troubleTold = true;
}

void EditorSettings::addStatusText(const QString &text)
{
    m_statusText = m_statusText.isEmpty() ? text : m_statusText + u' ' + text;
}

QString EditorSettings::takeStatusText()
{
    return std::exchange(m_statusText, QString());
}

QString EditorSettings::emulatorCommand() const
{
    return value(EmulatorCommandKey).toString();
}

void EditorSettings::setEmulatorCommand(const QString &command)
{
    store(EmulatorCommandKey, command);
}

QString EditorSettings::lastOpenFolder() const
{
    return value(LastOpenFolderKey).toString();
}

void EditorSettings::setLastOpenFolder(const QString &folder)
{
    store(LastOpenFolderKey, folder);
}

QStringList EditorSettings::recentFiles() const
{
    return value(RecentFilesKey).toStringList();
}

void EditorSettings::setRecentFiles(const QStringList &paths)
{
    store(RecentFilesKey, paths);
}

bool EditorSettings::viewFlag(const QString &name, bool defaultValue) const
{
    return value(ViewGroup + name, defaultValue).toBool();
}

void EditorSettings::setViewFlag(const QString &name, bool value)
{
    store(ViewGroup + name, value);
}

QByteArray EditorSettings::viewState(const QString &name) const
{
    return value(ViewGroup + name).toByteArray();
}

void EditorSettings::setViewState(const QString &name, const QByteArray &state)
{
    store(ViewGroup + name, state);
}

} // namespace whoopline::shell
