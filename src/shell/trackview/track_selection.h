#pragma once

#include "track/track_model.h"

#include <QObject>

class QLabel;
class QWidget;

namespace whoopline::shell {

class frmMain;

// The selected run of objects in the window's track view. Shift with Left, Right, Home and End,
// Shift+click and a drag stretch it from its anchor; every other step collapses it to the current
// object. The run shows as a translucent highlight over the selected objects the strip draws,
// under the current object's frame, and as "3 objects selected (5 bytes)" in the status bar.
class TrackSelection : public QObject
{
    Q_OBJECT

public:
    explicit TrackSelection(frmMain &window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showSelection();

    frmMain &m_window;
    QWidget *m_highlight;
    QLabel *m_status;
    // While the left button is held on the view: the strip as the press found it, which the drag
    // is measured against as the view moves to the object under the pointer.
    bool m_dragging = false;
    track::TrackModel m_pressedStrip;
};

} // namespace whoopline::shell
