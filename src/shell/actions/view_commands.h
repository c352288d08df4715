#pragma once

#include "view/navigation.h"
#include "view/track_overview.h"

#include <QObject>

#include <functional>
#include <memory>

class QAction;

namespace whoopline::shell {

class frmMain;
class TrackOverview;

// The View menu and what it changes: the track overview under the client area, the marks of the
// alternative track's objects in the track view and the overview, and the wheel and the object
// tooltips over the track view.
class ViewCommands : public QObject
{
    Q_OBJECT

public:
    // Puts the overview under window's client area, fills its View menu from the settings and
    // follows its document. redraw draws the track view again, as a step does.
    ViewCommands(frmMain &window, std::function<void()> redraw);

    TrackOverview *overview = nullptr;
    QAction *mnuTrackOverview = nullptr;
    QAction *mnuMarkAlternative = nullptr;

    bool marksAlternative() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void drawOverviewAnew();
    void showCurrent();
    void setMarks(bool on);
    QString detailsOf(int index) const;
    bool turnWheel(int angleDelta, bool tenfold);

    frmMain &m_window;
    // The track view the filter watches, kept apart from the window: it still sends events while
    // the window is being destroyed, when the window's members must not be reached.
    QWidget *m_trackView;
    std::function<void()> m_redraw;
    // Made at every open, from the graphics of that image.
    std::shared_ptr<const view::OverviewTiles> m_tiles;
    view::WheelNotches m_notches;
};

} // namespace whoopline::shell
