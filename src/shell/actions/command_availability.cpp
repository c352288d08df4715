#include "shell/actions/command_availability.h"

#include "edit/free_byte_edits.h"
#include "edit/object_replacement.h"
#include "shell/window/frm_main.h"
#include "shell/window/rectangle_shape.h"

#include <QAction>
#include <QCheckBox>
#include <QSet>
#include <QUndoGroup>

namespace whoopline::shell {

namespace {

const QString AlternativeTip =
    QStringLiteral("The current one-byte object appears only in the alternative track");
// A menu shows only an item's first key; Redo answers to both.
const QString RedoKeys = QStringLiteral("\tCtrl+Y, Ctrl+Shift+Z");

// Why an edit of the shown track can't be made now; "" when it can, or when no track is shown.
QString refusal(const document::ImageDocument &doc, Status (*check)(const track::TrackModel &))
{
    if (!doc.hasTrack())
        return {};
    const Status possible = check(doc.track());
    return possible ? QString() : possible.error();
}

// The controls and items that show or change the shown track: off while no track is shown, as
// after Open, so that none of them acts on a track that was dropped.
bool needsTrack(const QObject *control)
{
    static const QSet<QString> names = {
        QStringLiteral("btnPrevBeginning"), QStringLiteral("btnPrev10"), QStringLiteral("btnPrev"),
        QStringLiteral("btnNext"), QStringLiteral("btnNext10"), QStringLiteral("btnNextEnd"),
        QStringLiteral("lblCurrentObject"), QStringLiteral("btnCurrentObject"),
        QStringLiteral("lblLength"), QStringLiteral("txtLaps"), QStringLiteral("scrLaps"),
        QStringLiteral("chkAlternative"), QStringLiteral("mnuExportTrack"),
        QStringLiteral("mnuExportTrackFile"), QStringLiteral("mnuImportTrackFile"),
        QStringLiteral("mnuInsert"), QStringLiteral("mnuDelete"), QStringLiteral("mnuSetLaps"),
        QStringLiteral("mnuCut"), QStringLiteral("mnuCopy"), QStringLiteral("mnuPaste"),
        QStringLiteral("mnuDuplicate"), QStringLiteral("mnuMoveLeft"), QStringLiteral("mnuMoveRight"),
        QStringLiteral("mnuSelectAll"), QStringLiteral("mnuGoToObject"), QStringLiteral("mnuFindNextMarked"),
        QStringLiteral("mnuFindPreviousMarked")};
    return names.contains(control->objectName());
}

} // namespace

CommandAvailability::CommandAvailability(frmMain &window) : QObject(&window), m_window(window)
{
    const document::ImageDocument *doc = &window.document();
    connect(doc, &document::ImageDocument::opened, this, &CommandAvailability::refresh);
    connect(doc, &document::ImageDocument::historyChanged, this, &CommandAvailability::refresh);
    connect(doc, &document::ImageDocument::trackChanged, this, &CommandAvailability::refresh);
    connect(doc, &document::ImageDocument::currentObjectChanged, this, &CommandAvailability::refresh);
}

void CommandAvailability::switchAll(bool enabled)
{
    const frmMain &w = m_window;
    for (QObject *control : w.Controls()) {
        // Preferences, and the Edit menu that holds it, work before an image is open too.
        if (control == w.mnuOpen || control == w.mnuFile || control == w.mnuExit ||
            control == w.mnuHelp || control == w.mnuAbout || control == w.mnuEdit ||
            control->objectName() == QStringLiteral("mnuPreferences"))
            continue;
        const bool on = enabled && allows(control);
        if (auto *action = qobject_cast<QAction *>(control))
            action->setEnabled(on);
        // The marker is only a drawing: it has no enabled state.
        else if (auto *widget = qobject_cast<QWidget *>(control); widget && !qobject_cast<RectangleShape *>(widget))
            widget->setEnabled(on);
    }
}

bool CommandAvailability::allows(const QObject *control) const
{
    const frmMain &w = m_window;
    const document::ImageDocument &doc = w.document();
    if (needsTrack(control) && !doc.hasTrack())
        return false;
    if (control == w.mnuUndo)
        return doc.undoGroup()->canUndo();
    if (control == w.mnuRedo)
        return doc.undoGroup()->canRedo();
    if (control == w.mnuInsert)
        return refusal(doc, edit::CanInsertObject).isEmpty();
    if (control == w.chkAlternative)
        return refusal(doc, edit::CanMarkCurrentObject).isEmpty();
    return true;
}

void CommandAvailability::refresh()
{
    frmMain &w = m_window;
    const document::ImageDocument &doc = w.document();
    const QString undo = doc.undoText(), redo = doc.redoText();
    w.mnuUndo->setText(undo.isEmpty() ? QStringLiteral("&Undo") : QStringLiteral("&Undo ") + undo);
    w.mnuRedo->setText((redo.isEmpty() ? QStringLiteral("&Redo") : QStringLiteral("&Redo ") + redo) +
                       RedoKeys);
    const QString noInsert = refusal(doc, edit::CanInsertObject);
    w.mnuInsert->setToolTip(noInsert);
    w.mnuInsert->setStatusTip(noInsert);
    const QString noMark = refusal(doc, edit::CanMarkCurrentObject);
    w.chkAlternative->setToolTip(noMark.isEmpty() ? AlternativeTip : noMark);
    // Every state follows from the document's: before an image is open every item stays off.
    switchAll(doc.isOpen());
}

} // namespace whoopline::shell
