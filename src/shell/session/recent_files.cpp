#include "shell/session/recent_files.h"

#include "rom/image_file.h"
#include "rom/system_file.h"
#include "shell/session/editor_settings.h"

#include <QDir>
#include <QFileInfo>
#include <QMenu>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace whoopline::shell {

RecentFiles::RecentFiles(const QStringList &paths)
{
    for (auto it = paths.crbegin(); it != paths.crend(); ++it)
        if (!it->isEmpty())
            add(*it);
}

void RecentFiles::add(const QString &path)
{
    m_paths.removeAll(path);
    m_paths.prepend(path);
    while (m_paths.size() > Limit)
        m_paths.removeLast();
}

void RecentFiles::remove(const QString &path)
{
    m_paths.removeAll(path);
}

Result<QString> RecentFiles::choose(const QString &path)
{
    if (QFileInfo(path).isFile())
        return path;
    remove(path);
#ifdef Q_OS_UNIX
    // Something else under the name is no image to open: say what it is.
    struct stat there = {};
    if (::stat(QFile::encodeName(path).constData(), &there) == 0)
        return Failure{QStringLiteral("%1 is now %2, not a cartridge image. It is taken off the "
                                      "recent files.")
                           .arg(quotedName(path), fileKind(there.st_mode))};
#endif
    return Failure{QStringLiteral("%1 is no longer there: it was moved, renamed or deleted. It is "
                                  "taken off the recent files.")
                       .arg(quotedName(path))};
}

RecentFilesMenu::RecentFilesMenu(EditorSettings &settings, QMenu *menu)
    : QObject(menu), m_settings(settings), m_menu(menu), m_files(settings.get(Settings::RecentFiles))
{
    rebuild();
}

void RecentFilesMenu::addOpened(const QString &path)
{
    m_files.add(path);
    keep();
}

void RecentFilesMenu::choose(const QString &path)
{
    const Result<QString> chosen = m_files.choose(path);
    if (chosen) {
        emit openRequested(*chosen);
        return;
    }
    keep();
    emit reported(chosen.error());
}

void RecentFilesMenu::clear()
{
    m_files.clear();
    keep();
}

void RecentFilesMenu::keep()
{
    m_settings.set(Settings::RecentFiles, m_files.paths());
    rebuild();
}

void RecentFilesMenu::rebuild()
{
    // The chosen entry's action is still in its triggered signal: it goes once that is over.
    for (QAction *old : m_menu->actions()) {
        m_menu->removeAction(old);
        old->deleteLater();
    }
    const QStringList &paths = m_files.paths();
    for (int i = 0; i < paths.size(); ++i) {
        const QString &path = paths[i];
        // Two images of one name show their folders too.
        const QString name = QFileInfo(path).fileName();
        const bool nameTwice = std::count_if(paths.begin(), paths.end(), [&](const QString &p) {
                                   return QFileInfo(p).fileName() == name;
                               }) > 1;
        QString shown = nameTwice ? QDir::toNativeSeparators(path) : name;
        shown.replace(QLatin1Char('&'), QLatin1String("&&"));
        QAction *entry = m_menu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(shown));
        entry->setStatusTip(QDir::toNativeSeparators(path));
        entry->setToolTip(QDir::toNativeSeparators(path));
        connect(entry, &QAction::triggered, this, [this, path] { choose(path); });
    }
    if (!paths.isEmpty())
        m_menu->addSeparator();
    QAction *clearAll = m_menu->addAction(QStringLiteral("Clear Recent Files"));
    clearAll->setEnabled(!paths.isEmpty());
    connect(clearAll, &QAction::triggered, this, &RecentFilesMenu::clear);
}

} // namespace whoopline::shell
