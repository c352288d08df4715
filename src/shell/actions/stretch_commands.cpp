#include "shell/actions/stretch_commands.h"

#include "edit/object_clipboard.h"
#include "edit/object_run_edits.h"
#include "edit/object_selection.h"
#include "shell/docks/palette_dock.h"
#include "shell/trackview/track_selection.h"
#include "shell/window/frm_main.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>

namespace whoopline::shell {

StretchCommands::StretchCommands(frmMain &window) : QObject(&window), m_window(window)
{
    window.addSwitchedControl(window.editMenu->addSeparator(), "mnuEditLine2");
    mnuCut = addItem("mnuCut", QStringLiteral("Cu&t"), Qt::CTRL | Qt::Key_X, [this] { cut(); });
    mnuCopy = addItem("mnuCopy", QStringLiteral("&Copy"), Qt::CTRL | Qt::Key_C, [this] { copy(); });
    mnuPaste = addItem("mnuPaste", QStringLiteral("&Paste"), Qt::CTRL | Qt::Key_V, [this] { paste(); });
    mnuDuplicate = addItem("mnuDuplicate", QStringLiteral("Duplicat&e"), Qt::CTRL | Qt::Key_D,
                           [this] { tell(m_window.document().duplicateRun()); });
    mnuMoveLeft = addItem("mnuMoveLeft", QStringLiteral("&Move Left"), Qt::ALT | Qt::Key_Left,
                          [this] { tell(m_window.document().moveRun(true)); });
    mnuMoveRight = addItem("mnuMoveRight", QStringLiteral("Move Ri&ght"), Qt::ALT | Qt::Key_Right,
                           [this] { tell(m_window.document().moveRun(false)); });

    new TrackSelection(window);
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

void StretchCommands::tell(const Status &done)
{
    if (!done && m_window.document().hasTrack())
        m_window.showMessage(&m_window, QMessageBox::Warning, QStringLiteral("Whoopline"), done.error());
}

void StretchCommands::copy()
{
    const document::ImageDocument &doc = m_window.document();
    if (doc.hasTrack())
        QGuiApplication::clipboard()->setMimeData(edit::MakeObjectsMimeData(doc.runBytes()));
}

void StretchCommands::cut()
{
    const Result<QByteArray> cut = m_window.document().cutRun();
    if (cut && !cut->isEmpty())
        QGuiApplication::clipboard()->setMimeData(edit::MakeObjectsMimeData(*cut));
    else if (!cut)
        tell(Failure{cut.error()});
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
    tell(m_window.document().pasteRun(*objectBytes));
}

} // namespace whoopline::shell
