#include "shell/trackview/track_view_widget.h"

#include "document/image_document.h"
#include "edit/object_clipboard.h"
#include "edit/object_details.h"
#include "edit/object_selection.h"
#include "shell/window/rectangle_shape.h"
#include "view/strip_layout.h"

#include <QHelpEvent>
#include <QMimeData>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>

namespace whoopline::shell {

namespace {

const QColor MarkerColour(0, 255, 0);
const QColor RunTint(64, 160, 255, 96);

// A plain area over the view that lets the mouse through to it.
class Overlay : public QWidget
{
    Q_OBJECT

public:
    Overlay(const QColor &colour, const char *name, QWidget *parent) : QWidget(parent), m_colour(colour)
    {
        setObjectName(QString::fromLatin1(name));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        hide();
    }

protected:
    void paintEvent(QPaintEvent *) override { QPainter(this).fillRect(rect(), m_colour); }

private:
    QColor m_colour;
};

} // namespace

TrackViewWidget::TrackViewWidget(const document::ImageDocument &document, QWidget *parent)
    : QWidget(parent), m_document(document), m_marker(new RectangleShape(this)),
      m_highlight(new Overlay(RunTint, "shpSelection", this)),
      m_dropMarker(new Overlay(Qt::yellow, "shpDropMarker", this))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAcceptDrops(true);
    setFocusPolicy(Qt::ClickFocus); // for Enter, which opens the Object Selector
    m_marker->setObjectName(QStringLiteral("shpSelect"));
    m_marker->setBorderColour(MarkerColour);
    m_marker->hide();
    m_highlight->stackUnder(m_marker); // the current object's frame stays on top
    connect(&document, &document::ImageDocument::selectionChanged, this, &TrackViewWidget::showSelection);
}

void TrackViewWidget::setPicture(const QImage &picture)
{
    m_picture = picture;
    update();
}

void TrackViewWidget::setBackgroundColour(const QColor &colour)
{
    m_background = colour;
    update();
}

void TrackViewWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.fillRect(rect(), m_background);
    if (!m_picture.isNull())
        painter.drawImage(QRect(QPoint(0, 0), m_picture.size()), m_picture);
}

int TrackViewWidget::objectAt(int x) const
{
    return m_document.hasTrack() ? view::ObjectAtStripX(m_document.track(), x, width()) : -1;
}

qint64 TrackViewWidget::stripLeft(int index) const
{
    const track::TrackModel &shown = m_document.track();
    qint64 left = 0;
    for (int i = shown.CurrentObject; i < index; ++i)
        left += view::StripAdvance(shown.TrackObjects.at(i));
    return left;
}

void TrackViewWidget::mousePressEvent(QMouseEvent *event)
{
    m_dragging = event->button() == Qt::LeftButton && m_document.hasTrack();
    if (!m_dragging)
        return;
    m_pressedStrip = m_document.track();
    const int hit = objectAt(event->position().toPoint().x());
    m_pressedOnObject = hit >= 0;
    // A click past the last object drawn does nothing.
    if (hit >= 0 && event->modifiers().testFlag(Qt::ShiftModifier)) {
        if (hit != m_document.track().CurrentObject)
            emit runExtended(hit);
    }
    else if (hit >= 0)
        emit objectChosen(hit);
}

void TrackViewWidget::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_dragging)
        return;
    // Measured against the strip as pressed, as the view moves on to the object under the pointer.
    const int hit = view::ObjectAtStripX(m_pressedStrip, event->position().toPoint().x(), width());
    if (hit >= 0 && hit != m_document.track().CurrentObject)
        emit runExtended(hit);
}

void TrackViewWidget::mouseReleaseEvent(QMouseEvent *) { m_dragging = false; }

void TrackViewWidget::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The first press has made the object under the pointer current and moved it to x 0.
    if (event->button() == Qt::LeftButton && m_pressedOnObject)
        emit replaceRequested();
}

// Down or right moves towards the track's end, one object a notch, ten with Shift; a sideways
// wheel, or Shift turning the wheel sideways as some systems do, counts too.
void TrackViewWidget::wheelEvent(QWheelEvent *event)
{
    const QPoint delta = event->angleDelta();
    const int notches = -m_notches.take(delta.y() != 0 ? delta.y() : delta.x());
    const track::TrackModel &shown = m_document.track();
    if (notches != 0 && m_document.hasTrack())
        emit objectChosen(view::WheelStep(shown.CurrentObject, shown.lastIndex(), notches,
                                          event->modifiers().testFlag(Qt::ShiftModifier)));
    event->accept();
}

void TrackViewWidget::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        emit replaceRequested();
    else
        QWidget::keyPressEvent(event);
}

bool TrackViewWidget::event(QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    const auto *help = static_cast<QHelpEvent *>(event);
    const int index = isEnabled() ? objectAt(help->pos().x()) : -1;
    if (index < 0) {
        QToolTip::hideText();
        return true;
    }
    const track::TrackObjectList &objects = m_document.track().TrackObjects;
    QToolTip::showText(help->globalPos(),
                       edit::ObjectDetails(objects, view::TrackObjectLefts(objects), index,
                                           track::trackStartPosition(m_document.shownTrack())),
                       this);
    return true;
}

// Objects dragged here (the palette's, or their text) go in before the object under the pointer;
// anything else is left to the window, which opens files.
void TrackViewWidget::dragEnterEvent(QDragEnterEvent *event)
{
    if (edit::ObjectBytesFromMimeData(*event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void TrackViewWidget::dragMoveEvent(QDragMoveEvent *event)
{
    const int index = objectAt(event->position().toPoint().x());
    if (index < 0 || !edit::ObjectBytesFromMimeData(*event->mimeData())) {
        m_dropMarker->hide();
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    m_dropMarker->setGeometry(int(std::min<qint64>(stripLeft(index), width())), 0, 3, height());
    m_dropMarker->show();
}

void TrackViewWidget::dragLeaveEvent(QDragLeaveEvent *) { m_dropMarker->hide(); }

void TrackViewWidget::dropEvent(QDropEvent *event)
{
    m_dropMarker->hide();
    const int index = objectAt(event->position().toPoint().x());
    const auto objectBytes = edit::ObjectBytesFromMimeData(*event->mimeData());
    if (index < 0 || !objectBytes) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    // Once the drop is over, so that a refusal does not hold up the drag's source.
    QMetaObject::invokeMethod(
        this, [this, index, bytes = *objectBytes] { emit objectsDropped(index, bytes); },
        Qt::QueuedConnection);
}

void TrackViewWidget::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (m_document.hasTrack())
        showSelection();
}

void TrackViewWidget::showSelection()
{
    const edit::ObjectRun run = edit::SelectedRun(m_document.shownState());
    const bool several = run.count > 1;
    if (several) {
        // The strip begins at the current object, which is one end of the run.
        const track::TrackModel &model = m_document.track();
        const int last = std::min(run.last(), view::LastDrawnIndex(model, width()));
        m_highlight->setGeometry(0, 0, int(std::min<qint64>(stripLeft(last + 1), width())), height());
    }
    m_highlight->setVisible(several);
}

} // namespace whoopline::shell

#include "track_view_widget.moc"
