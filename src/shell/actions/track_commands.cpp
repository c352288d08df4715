#include "shell/actions/track_commands.h"

#include "shell/window/frm_main.h"
#include "track/track_layout.h"
#include "view/navigation.h"

#include <QAction>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>

#include <algorithm>
#include <tuple>

namespace whoopline::shell {

namespace {

constexpr int NoteMilliseconds = 5000;

} // namespace

TrackCommands::TrackCommands(frmMain &window) : QObject(&window), m_window(window)
{
    auto *menu = new QMenu(QStringLiteral("&Track"), &window);
    window.addSwitchedControl(window.menuBar()->insertMenu(window.viewMenu->menuAction(), menu), "mnuTrackMenu");
    for (int track = 1; track <= track::TrackCount; ++track) {
        QAction *item = addItem(menu, "mnuTrack", QStringLiteral("Track &%1").arg(track), QKeySequence(Qt::CTRL | (Qt::Key_0 + track)));
        window.addSwitchedControl(item, qPrintable(QStringLiteral("mnuTrack%1").arg(track)));
        connect(item, &QAction::triggered, this, [this, track] { load(track); });
    }
    window.addSwitchedControl(menu->addSeparator(), "mnuTrackLine1");
    const auto step = [this](int by) {
        const int shown = m_window.document().shownTrack();
        load(shown == 0 ? 1 : (shown - 1 + by + track::TrackCount) % track::TrackCount + 1);
    };
    for (const auto &[name, text, key, by] : {std::tuple("mnuNextTrack", "&Next Track", Qt::Key_PageDown, 1),
                                              std::tuple("mnuPreviousTrack", "&Previous Track", Qt::Key_PageUp, -1)}) {
        QAction *item = addItem(menu, name, QString::fromLatin1(text), QKeySequence(Qt::CTRL | key));
        window.addSwitchedControl(item, name);
        connect(item, &QAction::triggered, this, [step, by = by] { step(by); });
    }

    QMenu *edit = window.editMenu;
    QAction *before = edit->actions().constLast(); // Preferences stays last
    const auto add = [&](const char *name, const QString &text, const QKeySequence &key) {
        QAction *item = addItem(edit, name, text, key);
        edit->insertAction(before, item);
        window.addSwitchedControl(item, name);
        return item;
    };
    window.addSwitchedControl(edit->insertSeparator(before), "mnuEditLine3");
    connect(add("mnuSelectAll", QStringLiteral("Select &All"), QKeySequence::SelectAll), &QAction::triggered, this, [this] {
        document::ImageDocument &doc = m_window.document();
        if (doc.hasTrack()) {
            doc.setCurrentObject(0);
            doc.setCurrentObject(int(doc.track().TrackObjects.size()) - 1, true);
        }
    });
    connect(add("mnuGoToObject", QStringLiteral("Go to &Object..."), QKeySequence(Qt::CTRL | Qt::Key_G)),
            &QAction::triggered, this, &TrackCommands::goToObject);
    connect(add("mnuFindNextMarked", QStringLiteral("Find &Next Marked Object"), QKeySequence(Qt::Key_F3)),
            &QAction::triggered, this, [this] { findMarked(true); });
    connect(add("mnuFindPreviousMarked", QStringLiteral("Find Pre&vious Marked Object"), QKeySequence(Qt::SHIFT | Qt::Key_F3)),
            &QAction::triggered, this, [this] { findMarked(false); });
    window.addSwitchedControl(edit->insertSeparator(before), "mnuEditLine4");
}

QAction *TrackCommands::addItem(QMenu *menu, const char *name, const QString &text, const QKeySequence &key)
{
    QAction *item = menu->addAction(text);
    item->setObjectName(QString::fromLatin1(name));
    item->setShortcut(key);
    return item;
}

void TrackCommands::load(int track)
{
    // As a user loads it: the chooser shows the track too.
    if (!m_window.document().isOpen())
        return;
    m_window.scrLoadTrack->setValue(track);
    m_window.btnLoadTrack_Click();
}

void TrackCommands::goToObject()
{
    document::ImageDocument &doc = m_window.document();
    if (!doc.hasTrack())
        return;
    const int count = int(doc.track().TrackObjects.size());
    if (const auto number = m_window.askObjectNumber(&m_window, doc.track().CurrentObject + 1, count))
        doc.setCurrentObject(std::clamp(*number, 1, count) - 1);
}

void TrackCommands::findMarked(bool forward)
{
    document::ImageDocument &doc = m_window.document();
    if (!doc.hasTrack())
        return;
    const view::MarkedObjectFound found = view::FindMarkedObject(doc.track().TrackObjects, doc.track().CurrentObject, forward);
    if (found.index < 0) {
        m_window.statusBar()->showMessage(QStringLiteral("Track %1 has no marked objects.").arg(doc.shownTrack()), NoteMilliseconds);
        return;
    }
    doc.setCurrentObject(found.index);
    if (found.wrapped)
        m_window.statusBar()->showMessage(forward ? QStringLiteral("Went on from the track's start.")
                                                  : QStringLiteral("Went on from the track's end."),
                                          NoteMilliseconds);
}

} // namespace whoopline::shell
