#include "shell/actions/edit_controller.h"

#include "document/image_document.h"
#include "edit/free_byte_edits.h"
#include "edit/object_clipboard.h"
#include "edit/object_replacement.h"
#include "shell/actions/action_making.h"
#include "shell/dialogs/window_dialogs.h"
#include "view/navigation.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMimeData>
#include <QUndoGroup>

#include <algorithm>

namespace whoopline::shell {

namespace {

constexpr int NoteMilliseconds = 5000;

// Why an edit of the shown track can't be made now; "" when it can, or when no track is shown.
QString refusal(const document::ImageDocument &doc, Status (*check)(const track::TrackModel &))
{
    if (!doc.hasTrack())
        return {};
    const Status possible = check(doc.track());
    return possible ? QString() : possible.error();
}

} // namespace

EditController::EditController(const ActionContext &context, QObject *parent)
    : QObject(parent), mnuUndo(makeAction(this, "mnuUndo", QStringLiteral("&Undo"))),
      mnuRedo(makeAction(this, "mnuRedo", QStringLiteral("&Redo"))),
      mnuInsert(makeAction(this, "mnuInsert", QStringLiteral("&Insert Object"))),
      mnuDelete(makeAction(this, "mnuDelete", QStringLiteral("&Delete Object"))),
      mnuSetLaps(makeAction(this, "mnuSetLaps", QStringLiteral("Set &Laps..."))),
      mnuCut(makeAction(this, "mnuCut", QStringLiteral("Cu&t"))),
      mnuCopy(makeAction(this, "mnuCopy", QStringLiteral("&Copy"))),
      mnuPaste(makeAction(this, "mnuPaste", QStringLiteral("&Paste"))),
      mnuDuplicate(makeAction(this, "mnuDuplicate", QStringLiteral("Duplicat&e"))),
      mnuMoveLeft(makeAction(this, "mnuMoveLeft", QStringLiteral("&Move Left"))),
      mnuMoveRight(makeAction(this, "mnuMoveRight", QStringLiteral("Move Ri&ght"))),
      mnuSelectAll(makeAction(this, "mnuSelectAll", QStringLiteral("Select &All"))),
      mnuGoToObject(makeAction(this, "mnuGoToObject", QStringLiteral("Go to &Object..."))),
      mnuFindNextMarked(makeAction(this, "mnuFindNextMarked", QStringLiteral("Find &Next Marked Object"))),
      mnuFindPreviousMarked(
          makeAction(this, "mnuFindPreviousMarked", QStringLiteral("Find Pre&vious Marked Object"))),
      m_context(context)
{
    document::ImageDocument &doc = context.document;
    connect(mnuUndo, &QAction::triggered, doc.undoGroup(), &QUndoGroup::undo);
    connect(mnuRedo, &QAction::triggered, doc.undoGroup(), &QUndoGroup::redo);
    connect(mnuInsert, &QAction::triggered, this, &EditController::insert);
    connect(mnuDelete, &QAction::triggered, this, &EditController::deleteSelection);
    connect(mnuSetLaps, &QAction::triggered, this, &EditController::setLaps);
    connect(mnuCut, &QAction::triggered, this, &EditController::cut);
    connect(mnuCopy, &QAction::triggered, this, &EditController::copy);
    connect(mnuPaste, &QAction::triggered, this, &EditController::paste);
    connect(mnuDuplicate, &QAction::triggered, this, [this] { tell(m_context.document.duplicateRun()); });
    connect(mnuMoveLeft, &QAction::triggered, this, [this] { tell(m_context.document.moveRun(true)); });
    connect(mnuMoveRight, &QAction::triggered, this, [this] { tell(m_context.document.moveRun(false)); });
    connect(mnuSelectAll, &QAction::triggered, this, &EditController::selectAll);
    connect(mnuGoToObject, &QAction::triggered, this, &EditController::goToObject);
    connect(mnuFindNextMarked, &QAction::triggered, this, [this] { findMarked(true); });
    connect(mnuFindPreviousMarked, &QAction::triggered, this, [this] { findMarked(false); });
    followDocument(doc, this, [this] { updateActions(); });
}

void EditController::updateActions()
{
    const document::ImageDocument &doc = m_context.document;
    const QString undo = doc.undoText(), redo = doc.redoText();
    mnuUndo->setText(undo.isEmpty() ? QStringLiteral("&Undo") : QStringLiteral("&Undo ") + undo);
    // A menu shows only an item's first key; Redo answers to both.
    mnuRedo->setText((redo.isEmpty() ? QStringLiteral("&Redo") : QStringLiteral("&Redo ") + redo) +
                     QStringLiteral("\tCtrl+Y, Ctrl+Shift+Z"));
    mnuUndo->setEnabled(doc.undoGroup()->canUndo());
    mnuRedo->setEnabled(doc.undoGroup()->canRedo());
    // Nothing acts on a track that is not shown, as after Open.
    for (QAction *item : {mnuDelete, mnuSetLaps, mnuCut, mnuCopy, mnuPaste, mnuDuplicate, mnuMoveLeft,
                          mnuMoveRight, mnuSelectAll, mnuGoToObject, mnuFindNextMarked,
                          mnuFindPreviousMarked})
        item->setEnabled(doc.hasTrack());
    const QString noInsert = refusal(doc, edit::CanInsertObject);
    mnuInsert->setEnabled(doc.hasTrack() && noInsert.isEmpty());
    mnuInsert->setToolTip(noInsert);
    mnuInsert->setStatusTip(noInsert);
}

void EditController::tell(const Status &done)
{
    if (!done && m_context.document.hasTrack())
        m_context.warn(done.error());
}

void EditController::insert()
{
    if (m_context.document.hasTrack())
        tell(m_context.document.insertObject());
}

void EditController::deleteSelection()
{
    if (m_context.document.hasTrack())
        tell(m_context.document.deleteSelection());
}

void EditController::setLaps()
{
    // The document holds the laps before the bar shows them: no laps click follows.
    document::ImageDocument &doc = m_context.document;
    if (const auto laps = doc.hasTrack() ? m_context.dialogs.runSetLaps(&m_context.window, doc.laps())
                                         : std::nullopt)
        tell(doc.setLaps(*laps, true));
}

void EditController::copy()
{
    const document::ImageDocument &doc = m_context.document;
    if (doc.hasTrack())
        QGuiApplication::clipboard()->setMimeData(edit::MakeObjectsMimeData(doc.runBytes()));
}

void EditController::cut()
{
    const Result<QByteArray> cut = m_context.document.cutRun();
    if (cut && !cut->isEmpty())
        QGuiApplication::clipboard()->setMimeData(edit::MakeObjectsMimeData(*cut));
    else if (!cut)
        tell(Failure{cut.error()});
}

void EditController::paste()
{
    if (!m_context.document.hasTrack())
        return;
    const QMimeData *held = QGuiApplication::clipboard()->mimeData();
    const QMimeData nothing;
    const auto objectBytes = edit::ObjectBytesFromMimeData(held ? *held : nothing);
    if (!objectBytes)
        m_context.warn(objectBytes.error());
    else
        tell(m_context.document.pasteRun(*objectBytes));
}

void EditController::selectAll()
{
    document::ImageDocument &doc = m_context.document;
    if (doc.hasTrack()) {
        doc.setCurrentObject(0);
        doc.setCurrentObject(int(doc.track().TrackObjects.size()) - 1, true);
    }
}

void EditController::goToObject()
{
    document::ImageDocument &doc = m_context.document;
    if (!doc.hasTrack())
        return;
    const int count = int(doc.track().TrackObjects.size());
    if (const auto number =
            m_context.dialogs.askObjectNumber(&m_context.window, doc.track().CurrentObject + 1, count))
        doc.setCurrentObject(std::clamp(*number, 1, count) - 1);
}

void EditController::findMarked(bool forward)
{
    document::ImageDocument &doc = m_context.document;
    if (!doc.hasTrack())
        return;
    const view::MarkedObjectFound found =
        view::FindMarkedObject(doc.track().TrackObjects, doc.track().CurrentObject, forward);
    if (found.index < 0) {
        m_context.note(QStringLiteral("Track %1 has no marked objects.").arg(doc.shownTrack()),
                       NoteMilliseconds);
        return;
    }
    doc.setCurrentObject(found.index);
    if (found.wrapped)
        m_context.note(forward ? QStringLiteral("Went on from the track's start.")
                               : QStringLiteral("Went on from the track's end."),
                       NoteMilliseconds);
}

} // namespace whoopline::shell
