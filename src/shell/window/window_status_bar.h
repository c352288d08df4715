#pragma once

#include <QObject>

namespace whoopline::shell {

class frmMain;

// The main window's status bar under its client area: the open file's name (its full path as
// tooltip), the shown track, the current object, how much of the track's byte budget is free,
// and which tracks have unsaved edits.
class WindowStatusBar : public QObject
{
    Q_OBJECT

public:
    // Makes the parts, as the window's lblFileName, lblTrack, lblObject, lblFreeBytes and
    // lblModified.
    explicit WindowStatusBar(frmMain &window);

    // Shows the window's document as it is now.
    void update();

private:
    frmMain &m_window;
};

} // namespace whoopline::shell
