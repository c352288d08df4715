#pragma once

#include "shell/actions/action_context.h"
#include "view/track_overview.h"

#include <QObject>

#include <memory>

class QAction;

namespace whoopline::shell {

class PaletteDock;
class TrackOverviewWidget;

// The View menu and what it shows: the track overview under the client area, the marks of the
// alternative track's objects in the track view and the overview, the History dock with the
// shown track's undo steps, and the Object Palette dock.
class ViewController : public QObject
{
    Q_OBJECT

public:
    // overview is the window's overview, which this controller keeps drawn and shows or hides.
    ViewController(const ActionContext &context, TrackOverviewWidget *overview, QObject *parent);

    QAction *const mnuTrackOverview;
    QAction *const mnuMarkAlternative;
    QAction *const mnuResizableWindow;
    QAction *mnuHistory = nullptr;
    QAction *mnuObjectPalette = nullptr;

    bool marksAlternative() const;
    // Keeps the docks' places for the next run; called as the window closes.
    void rememberPlaces();
    // The width of the track view, whose stretch the overview keeps in sight.
    void setViewWidth(int width);

signals:
    // The marks were turned on or off with a track shown: the track view is to be drawn again.
    void marksChanged();
    // View > Resizable Window was turned on or off.
    void resizableChanged(bool resizable);

private:
    void makeHistory();
    void drawOverviewAnew();
    void showCurrent();
    void setMarks(bool on);

    const ActionContext m_context;
    TrackOverviewWidget *m_overview;
    PaletteDock *m_palette;
    int m_viewWidth = 0;
    // Made at every open, from the graphics of that image.
    std::shared_ptr<const view::OverviewTiles> m_tiles;
};

} // namespace whoopline::shell
