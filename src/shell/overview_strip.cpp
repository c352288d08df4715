#include "overview_strip.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>

#include <algorithm>

namespace whoopline::shell {

TrackOverview::TrackOverview(QWidget *parent) : QAbstractScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Always there, so the window's height doesn't change with the track.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    viewport()->setMouseTracking(true);
}

void TrackOverview::setOverview(view::TrackOverviewPicture overview)
{
    m_overview = std::move(overview);
    updateScrollRange();
    scrollStretchIntoView();
    viewport()->update();
}

void TrackOverview::setCurrent(int current, int viewWidth)
{
    m_current = current;
    m_viewWidth = viewWidth;
    scrollStretchIntoView();
    viewport()->update();
}

void TrackOverview::setSelection(int first, int last)
{
    m_selectedFirst = first;
    m_selectedLast = last;
    viewport()->update();
}

void TrackOverview::setDetails(std::function<QString(int)> details)
{
    m_details = std::move(details);
}

int TrackOverview::objectAt(QPoint point) const
{
    if (point.y() < 0 || point.y() >= m_overview.picture.height())
        return -1;
    return view::OverviewObjectAt(m_overview, qint64(point.x()) + horizontalScrollBar()->value());
}

QSize TrackOverview::sizeHint() const
{
    return {view::OverviewBlockPixels * 32, minimumSizeHint().height()};
}

QSize TrackOverview::minimumSizeHint() const
{
    // Room for a picture of picBuffer's 16 block rows, and the scroll bar under it.
    const int picture = m_overview.picture.isNull() ? view::OverviewBlockPixels * 16 : m_overview.picture.height();
    return {0, picture + horizontalScrollBar()->sizeHint().height()};
}

void TrackOverview::paintEvent(QPaintEvent *)
{
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), palette().window());
    if (m_overview.picture.isNull())
        return;
    const int offset = horizontalScrollBar()->value();
    const QRect shown(offset, 0, std::min(viewport()->width(), m_overview.picture.width() - offset),
                      m_overview.picture.height());
    painter.drawImage(QPoint(0, 0), m_overview.picture, shown);
    painter.translate(-offset, 0);
    view::PaintOverviewOutlines(painter, m_overview, m_current, m_viewWidth, m_selectedFirst, m_selectedLast);
}

void TrackOverview::mousePressEvent(QMouseEvent *event)
{
    m_lastChosen = -1;
    if (event->button() == Qt::LeftButton)
        choose(event->position().toPoint());
}

void TrackOverview::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() & Qt::LeftButton)
        choose(event->position().toPoint());
}

void TrackOverview::choose(QPoint point)
{
    const int index = objectAt(point);
    // A drag over one object chooses it once.
    if (index < 0 || index == m_lastChosen)
        return;
    m_lastChosen = index;
    emit objectChosen(index);
}

void TrackOverview::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollRange();
    scrollStretchIntoView();
}

bool TrackOverview::viewportEvent(QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return QAbstractScrollArea::viewportEvent(event);
    const auto *help = static_cast<QHelpEvent *>(event);
    const int index = objectAt(help->pos());
    const QString text = index >= 0 && m_details ? m_details(index) : QString();
    if (text.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
    } else {
        QToolTip::showText(help->globalPos(), text, viewport());
    }
    return true;
}

void TrackOverview::updateScrollRange()
{
    QScrollBar *bar = horizontalScrollBar();
    bar->setRange(0, std::max(0, m_overview.picture.width() - viewport()->width()));
    bar->setPageStep(viewport()->width());
    bar->setSingleStep(view::OverviewBlockPixels * 16);
}

void TrackOverview::scrollStretchIntoView()
{
    if (m_current < 0 || m_overview.lefts.size() < 2 || m_current >= int(m_overview.lefts.size()) - 1)
        return;
    const view::OverviewSpan stretch = view::OverviewShownStretch(m_overview, m_current, m_viewWidth);
    QScrollBar *bar = horizontalScrollBar();
    const int width = viewport()->width();
    // A stretch wider than the strip shows from its left end.
    if (stretch.left < bar->value() || stretch.right - stretch.left > width)
        bar->setValue(int(stretch.left));
    else if (stretch.right > bar->value() + width)
        bar->setValue(int(stretch.right) - width);
}

} // namespace whoopline::shell
