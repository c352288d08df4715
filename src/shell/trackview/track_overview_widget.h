#pragma once

#include "view/track_overview.h"

#include <QAbstractScrollArea>

#include <functional>

namespace whoopline::shell {

// The whole track at a reduced scale under the track view. It scrolls sideways, keeps the
// stretch the track view shows in sight, and makes the object under a click or a drag current.
class TrackOverviewWidget : public QAbstractScrollArea
{
    Q_OBJECT

public:
    explicit TrackOverviewWidget(QWidget *parent = nullptr);

    // Draws the overview's cell columns [from, to): DrawTrackOverview of the track as it is.
    using Drawer = std::function<view::TrackOverviewPicture(qint64 from, qint64 to)>;
    // The track anew, after every load, edit, undo and redo; the outlines stay where they were.
    // Only the part in sight and half the strip's width either side of it is drawn, again as
    // it scrolls.
    void setDrawer(Drawer draw);
    // Moves the outlines to the current object and scrolls the stretch shown from it, viewWidth
    // pixels of the track view, into sight.
    void setCurrent(int current, int viewWidth);
    // Objects first..last tinted as a selection; a first above last shows none.
    void setSelection(int first, int last);
    // The text shown when the pointer rests on an object; an empty text shows nothing.
    void setDetails(std::function<QString(int index)> details);

    // The object under a point of the viewport, or -1.
    int objectAt(QPoint point) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void objectChosen(int index);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool viewportEvent(QEvent *event) override;

private:
    void choose(QPoint point);
    void updateScrollRange();
    void scrollStretchIntoView();
    void drawWhatShows();

    Drawer m_draw;
    view::TrackOverviewPicture m_overview;
    std::function<QString(int)> m_details;
    int m_current = -1;
    int m_viewWidth = 0;
    int m_selectedFirst = -1;
    int m_selectedLast = -1;
    int m_lastChosen = -1;
};

} // namespace whoopline::shell
