#pragma once

#include "rom/result.h"

#include <QObject>
#include <QString>
#include <QStringList>

class QMenu;

namespace whoopline::shell {

class EditorSettings;

// The images opened last, newest first, at most Limit of them, each once.
class RecentFiles
{
public:
    static constexpr int Limit = 8;

    explicit RecentFiles(const QStringList &paths = {});

    const QStringList &paths() const { return m_paths; }

    // An image was opened: it goes to the front.
    void add(const QString &path);
    void remove(const QString &path);
    void clear() { m_paths.clear(); }

    // The entry the user chose, when the file is still there; otherwise it comes off the list
    // and the failure says so.
    Result<QString> choose(const QString &path);

private:
    QStringList m_paths;
};

// File > Recent Files: one entry per recent image and Clear Recent Files, kept in step with the
// settings. The window opens what openRequested names, and adds each image it opens.
class RecentFilesMenu : public QObject
{
    Q_OBJECT

public:
    RecentFilesMenu(EditorSettings &settings, QMenu *menu);

    // An image was opened: it goes to the front of the list and the menu.
    void addOpened(const QString &path);

    const RecentFiles &files() const { return m_files; }

signals:
    // The user chose an entry whose file is there.
    void openRequested(const QString &path);
    // The user chose an entry whose file has gone away: it is off the list now.
    void reported(const QString &text);

private:
    void choose(const QString &path);
    void clear();
    void keep();
    void rebuild();

    EditorSettings &m_settings;
    QMenu *m_menu;
    RecentFiles m_files;
};

} // namespace whoopline::shell
