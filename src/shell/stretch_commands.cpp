#include "stretch_commands.h"

#include "frm_main.h"
#include "object_clipboard.h"
#include "object_run_edits.h"
#include "object_selection.h"
#include "palette_dock.h"
#include "track_selection.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>

namespace whoopline::shell {

bool RecordWindowEdit(frmMain &window, edit::TrackEditKind kind,
                        const std::function<Status(edit::TrackEditState &state)> &change)
{
    const Status status = window.document().edit(kind, change);
    if (!status)
        window.showMessage(&window, QMessageBox::Warning, QStringLiteral("Whoopline"),
                           status.error());
    return bool(status);
}

StretchCommands::StretchCommands(frmMain &window) : QObject(&window), m_window(window)
{
    const auto widths = [this] { return m_window.document().widths(); };
    window.addSwitchedControl(window.editMenu->addSeparator(), "mnuEditLine2");
    mnuCut = addItem("mnuCut", QStringLiteral("Cu&t"), Qt::CTRL | Qt::Key_X, [this] { cut(); });
    mnuCopy = addItem("mnuCopy", QStringLiteral("&Copy"), Qt::CTRL | Qt::Key_C, [this] { copy(); });
    mnuPaste = addItem("mnuPaste", QStringLiteral("&Paste"), Qt::CTRL | Qt::Key_V, [this] { paste(); });
    mnuDuplicate = addItem("mnuDuplicate", QStringLiteral("Dup&licate"), Qt::CTRL | Qt::Key_D,
                           [this, widths] {
                               record(edit::TrackEditKind::DuplicateObjects,
                                      [&](edit::TrackEditState &state) {
                                          return edit::DuplicateObjects(state, widths());
                                      });
                           });
    mnuMoveLeft = addItem("mnuMoveLeft", QStringLiteral("Move Le&ft"), Qt::ALT | Qt::Key_Left, [this] {
        record(edit::TrackEditKind::MoveObjectsLeft, edit::MoveObjectsLeft);
    });
    mnuMoveRight = addItem("mnuMoveRight", QStringLiteral("Move Ri&ght"), Qt::ALT | Qt::Key_Right,
                           [this] { record(edit::TrackEditKind::MoveObjectsRight, edit::MoveObjectsRight); });

    auto *selection = new TrackSelection(window);
    connect(selection, &TrackSelection::selectionChanged, this, &StretchCommands::selectionChanged);
    new PaletteDock(window);
}

QAction *StretchCommands::addItem(const char *name, const QString &text, const QKeySequence &key,
                                  const std::function<void()> &command)
{
    QAction *item = m_window.editMenu->addAction(text);
    item->setShortcut(key);
    m_window.addSwitchedControl(item, name);
    connect(item, &QAction::triggered, this, command);
    return item;
}

bool StretchCommands::record(edit::TrackEditKind kind,
                               const std::function<Status(edit::TrackEditState &state)> &change)
{
    return m_window.document().hasTrack() && RecordWindowEdit(m_window, kind, change);
}

void StretchCommands::copy()
{
    const document::ImageDocument &doc = m_window.document();
    if (doc.hasTrack())
        QGuiApplication::clipboard()->setMimeData(
            edit::MakeObjectsMimeData(edit::SelectedBytes(doc.shownState())));
}

void StretchCommands::cut()
{
    QByteArray cutBytes;
    const bool cut = record(edit::TrackEditKind::CutObjects, [&](edit::TrackEditState &state) {
        return edit::CutObjects(state, m_window.document().widths(), cutBytes);
    });
    if (cut && !cutBytes.isEmpty())
        QGuiApplication::clipboard()->setMimeData(edit::MakeObjectsMimeData(cutBytes));
}

void StretchCommands::paste()
{
    if (!m_window.document().hasTrack())
        return;
    const QMimeData *held = QGuiApplication::clipboard()->mimeData();
    const QMimeData nothing;
    const auto objectBytes = edit::ObjectBytesFromMimeData(held ? *held : nothing);
    if (!objectBytes) {
        m_window.showMessage(&m_window, QMessageBox::Warning, QStringLiteral("Whoopline"),
                             objectBytes.error());
        return;
    }
    record(edit::TrackEditKind::PasteObjects, [&](edit::TrackEditState &state) {
        return edit::PasteObjects(state, *objectBytes, m_window.document().widths());
    });
}

} // namespace whoopline::shell
