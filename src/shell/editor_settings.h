#pragma once

#include <QByteArray>
#include <QSettings>
#include <QString>
#include <QStringList>

namespace whoopline::shell {

// What the editor remembers between runs, kept where Qt puts settings for the platform. A
// settings file that can't be read or written never stops the editor: it goes on with the
// defaults, or with what was set in this run, and says so once (takeStatusText).
class EditorSettings
{
public:
    EditorSettings();
    EditorSettings(const EditorSettings &) = delete;
    EditorSettings &operator=(const EditorSettings &) = delete;

    // The play test's emulator command; %f marks where the image's path goes.
    QString emulatorCommand() const;
    void setEmulatorCommand(const QString &command);

    // The folder the Open dialog showed last.
    QString lastOpenFolder() const;
    void setLastOpenFolder(const QString &folder);

    // Recent images, newest first.
    QStringList recentFiles() const;
    void setRecentFiles(const QStringList &paths);

    // View choices, by name: a shown/hidden flag, or a saved layout such as a dock's place.
    bool viewFlag(const QString &name, bool defaultValue) const;
    void setViewFlag(const QString &name, bool value);
    QByteArray viewState(const QString &name) const;
    void setViewState(const QString &name, const QByteArray &state);

    // The settings file, for messages.
    QString fileName() const { return m_settings.fileName(); }

    // The one-time text about a settings file that could not be read or written, for the status
    // bar; empty once taken, and when there was no such trouble.
    QString takeStatusText();

private:
    void store(const QString &key, const QVariant &value);

    QSettings m_settings;
    QString m_statusText;
    bool m_troubleTold = false;
};

} // namespace whoopline::shell
