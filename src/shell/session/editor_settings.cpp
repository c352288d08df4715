#include "shell/session/editor_settings.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <utility>

namespace whoopline::shell {

namespace {

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

} // namespace whoopline::shell
