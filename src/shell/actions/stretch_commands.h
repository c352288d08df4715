#pragma once

#include "edit/track_edit_command.h"
#include "rom/result.h"

#include <QObject>

#include <functional>

class QAction;

namespace whoopline::shell {

class frmMain;

// The Edit menu's commands on the selected run of objects (Cut, Copy, Paste, Duplicate, Move Left
// and Move Right), the clipboard they share with other programs, and the parts they come with:
// the selection in the track view and the object palette.
class StretchCommands : public QObject
{
    Q_OBJECT

public:
    explicit StretchCommands(frmMain &window);

    QAction *mnuCut = nullptr;
    QAction *mnuCopy = nullptr;
    QAction *mnuPaste = nullptr;
    QAction *mnuDuplicate = nullptr;
    QAction *mnuMoveLeft = nullptr;
    QAction *mnuMoveRight = nullptr;

private:
    QAction *addItem(const char *name, const QString &text, const QKeySequence &key,
                     const std::function<void()> &command);
    // Warns of an edit's refusal, once a track is shown.
    void tell(const Status &done);
    void copy();
    void cut();
    void paste();

    frmMain &m_window;
};

} // namespace whoopline::shell
