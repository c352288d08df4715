#pragma once

#include "rom/result.h"
#include "shell/actions/action_context.h"

#include <QObject>

class QAction;

namespace whoopline::shell {

// The Edit menu: Undo and Redo naming their steps, Insert and Delete, Set Laps, the commands on
// the selected run of objects (Cut, Copy, Paste, Duplicate, Move Left, Move Right) with the
// clipboard they share with other programs, Select All, Go to Object and Find Next and Previous
// Marked Object, which go round the track's end with a note in the status bar.
class EditController : public QObject
{
    Q_OBJECT

public:
    EditController(const ActionContext &context, QObject *parent);

    QAction *const mnuUndo;
    QAction *const mnuRedo;
    QAction *const mnuInsert;
    QAction *const mnuDelete;
    QAction *const mnuSetLaps;
    QAction *const mnuCut;
    QAction *const mnuCopy;
    QAction *const mnuPaste;
    QAction *const mnuDuplicate;
    QAction *const mnuMoveLeft;
    QAction *const mnuMoveRight;
    QAction *const mnuSelectAll;
    QAction *const mnuGoToObject;
    QAction *const mnuFindNextMarked;
    QAction *const mnuFindPreviousMarked;

    void insert();
    void deleteSelection();
    void setLaps();

private:
    void updateActions();
    // Warns of an edit's refusal, once a track is shown.
    void tell(const Status &done);
    void copy();
    void cut();
    void paste();
    void selectAll();
    void goToObject();
    void findMarked(bool forward);

    const ActionContext m_context;
};

} // namespace whoopline::shell
