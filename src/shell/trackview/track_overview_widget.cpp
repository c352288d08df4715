#include "shell/trackview/track_overview_widget.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>

#include <algorithm>
#include <limits>

namespace whoopline::shell {

namespace {

// The background's 16 rows of blocks.
constexpr int PictureHeight = view::OverviewBlockPixels * 16;

} // namespace

TrackOverviewWidget::TrackOverviewWidget(QWidget *parent) : QAbstractScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Only when the track is wider than the strip. The strip keeps room for it (sizeHint), so
    // the window's height doesn't change with the track, and the window first shows sooner
    // without it: painting a bar this wide starts Qt's drawing threads.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    viewport()->setMouseTracking(true);
}

void TrackOverviewWidget::setDrawer(Drawer draw)
{
    m_draw = std::move(draw);
    // Nothing drawn yet: the layout alone, for the scroll range and the outlines.
    m_overview = m_draw ? m_draw(0, 0) : view::TrackOverviewPicture{};
    updateScrollRange();
    scrollStretchIntoView();
    drawWhatShows();
    viewport()->update();
}

void TrackOverviewWidget::drawWhatShows()
{
    const int scale = m_overview.blockPixels;
    if (!m_draw || scale <= 0)
        return;
    const qint64 offset = horizontalScrollBar()->value();
    const qint64 from = offset / scale, to = (offset + viewport()->width()) / scale + 1;
    const qint64 drawnTo = m_overview.firstColumn + m_overview.picture.width() / scale;
    if (!m_overview.picture.isNull() && from >= m_overview.firstColumn && (to <= drawnTo || drawnTo >= m_overview.totalColumns))
        return;
    const qint64 margin = (to - from) / 2;
    m_overview = m_draw(std::max<qint64>(0, from - margin), to + margin);
}

void TrackOverviewWidget::scrollContentsBy(int, int)
{
    drawWhatShows();
    viewport()->update();
}

void TrackOverviewWidget::setCurrent(int current, int viewWidth)
{
    m_current = current;
    m_viewWidth = viewWidth;
    scrollStretchIntoView();
    viewport()->update();
}

void TrackOverviewWidget::setSelection(int first, int last)
{
    m_selectedFirst = first;
    m_selectedLast = last;
    viewport()->update();
}

void TrackOverviewWidget::setDetails(std::function<QString(int)> details)
{
    m_details = std::move(details);
}

int TrackOverviewWidget::objectAt(QPoint point) const
{
    if (point.y() < 0 || point.y() >= PictureHeight)
        return -1;
    return view::OverviewObjectAt(m_overview, qint64(point.x()) + horizontalScrollBar()->value());
}

QSize TrackOverviewWidget::sizeHint() const
{
    return {view::OverviewBlockPixels * 32, minimumSizeHint().height()};
}

QSize TrackOverviewWidget::minimumSizeHint() const
{
    return {0, PictureHeight + horizontalScrollBar()->sizeHint().height()};
}

void TrackOverviewWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), palette().window());
    painter.translate(-horizontalScrollBar()->value(), 0);
    painter.drawImage(QPointF(qreal(m_overview.firstColumn * m_overview.blockPixels), 0), m_overview.picture);
    view::PaintOverviewOutlines(painter, m_overview, m_current, m_viewWidth, m_selectedFirst, m_selectedLast);
}

void TrackOverviewWidget::mousePressEvent(QMouseEvent *event)
{
    m_lastChosen = -1;
    if (event->button() == Qt::LeftButton)
        choose(event->position().toPoint());
}

void TrackOverviewWidget::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() & Qt::LeftButton)
        choose(event->position().toPoint());
}

void TrackOverviewWidget::choose(QPoint point)
{
    const int index = objectAt(point);
    // A drag over one object chooses it once.
    if (index < 0 || index == m_lastChosen)
        return;
    m_lastChosen = index;
    emit objectChosen(index);
}

void TrackOverviewWidget::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollRange();
    scrollStretchIntoView();
    drawWhatShows();
}

bool TrackOverviewWidget::viewportEvent(QEvent *event)
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

void TrackOverviewWidget::updateScrollRange()
{
    QScrollBar *bar = horizontalScrollBar();
    const qint64 width = m_overview.totalColumns * m_overview.blockPixels;
    bar->setRange(0, int(std::clamp<qint64>(width - viewport()->width(), 0, std::numeric_limits<int>::max())));
    bar->setPageStep(viewport()->width());
    bar->setSingleStep(view::OverviewBlockPixels * 16);
}

void TrackOverviewWidget::scrollStretchIntoView()
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
