#pragma once

#include "result.h"
#include "track_edit_command.h"

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

signals:
    // The selected run: objects first..last, or a first above last for the current object alone.
    void selectionChanged(int first, int last);

private:
    QAction *addItem(const char *name, const QString &text, const QKeySequence &key,
                     const std::function<void()> &command);
    // RecordWindowEdit, once a track is shown.
    bool record(edit::TrackEditKind kind,
                  const std::function<Status(edit::TrackEditState &state)> &change);
    void copy();
    void cut();
    void paste();

    frmMain &m_window;
};

// Records change as one step of kind on the window's shown track; a refusal is shown as a
// warning. Returns whether the change was made.
bool RecordWindowEdit(frmMain &window, edit::TrackEditKind kind,
                        const std::function<Status(edit::TrackEditState &state)> &change);

} // namespace whoopline::shell
