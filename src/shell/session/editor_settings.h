#pragma once

#include "shell/session/setting_keys.h"

#include <QByteArray>
#include <QSettings>
#include <QString>
#include <QStringList>

#include <type_traits>

namespace whoopline::shell {

// What the editor remembers between runs, kept where Qt puts settings for the platform. A
// settings file that can't be read or written never stops the editor: it goes on with the
// defaults, or with what was set in this run, and says so once (takeStatusText). A file that
// can't be read is never written in that run, so nothing of it is lost.
class EditorSettings
{
public:
    EditorSettings();
    EditorSettings(const EditorSettings &) = delete;
    EditorSettings &operator=(const EditorSettings &) = delete;

    // The value of setting, or its default when none is stored.
    template <typename T> T get(const Setting<T> &setting) const
    {
        return value(QString::fromLatin1(setting.key), QVariant::fromValue(setting.defaultValue)).template value<T>();
    }
    template <typename T> void set(const Setting<T> &setting, const std::type_identity_t<T> &value)
    {
        store(QString::fromLatin1(setting.key), QVariant::fromValue(value));
    }

    // The settings file, for messages.
    QString fileName() const { return m_settings.fileName(); }

    // The one-time text about a settings file that could not be read or written, for the status
    // bar; empty once taken, and when there was no such trouble.
    QString takeStatusText();
    // Adds a note about a remembered setting that could not be used, told with the rest.
    void addStatusText(const QString &text);

private:
    void store(const QString &key, const QVariant &value);
    QVariant value(const QString &key, const QVariant &defaultValue = {}) const;

    QSettings m_settings;
    // While the file can't be read, what is set in this run lives here only.
    bool m_inMemory = false;
    QVariantMap m_memory;
    QString m_statusText;
    bool m_troubleTold = false;
};

} // namespace whoopline::shell
