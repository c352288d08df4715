#pragma once

#include "track/track_model.h"
#include "view/navigation.h"

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QWidget>

namespace whoopline::document {
class ImageDocument;
}

namespace whoopline::shell {

class RectangleShape;

// The track view: the strip of object pictures from the current object on, 1:1 and never
// smoothed, over a plain background; the frame of the current object; the selected run as a
// translucent highlight under that frame; and, while objects are dragged over it, a line where
// they will land. It reads the shown track of its document and tells what the user meant: an
// object chosen by a click or the wheel, the run stretched by Shift+click or a drag, the current
// object to be replaced (double-click or Enter), objects dropped before an object.
class TrackViewWidget : public QWidget
{
    Q_OBJECT

public:
    TrackViewWidget(const document::ImageDocument &document, QWidget *parent);

    void setPicture(const QImage &picture);
    QImage picture() const { return m_picture; }
    void setBackgroundColour(const QColor &colour);
    // The frame of the current object, shpSelect.
    RectangleShape *marker() const { return m_marker; }

signals:
    void objectChosen(int index);
    void runExtended(int index);
    void replaceRequested();
    void objectsDropped(int before, const QByteArray &objectBytes);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool event(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // The object of the shown track under x, or -1.
    int objectAt(int x) const;
    // The left edge of object index in the strip drawn from the current object.
    qint64 stripLeft(int index) const;
    void showSelection();

    const document::ImageDocument &m_document;
    QImage m_picture;
    QColor m_background = Qt::black;
    RectangleShape *m_marker;
    QWidget *m_highlight;
    QWidget *m_dropMarker;
    // Only a double-click whose first press fell on an object replaces it.
    bool m_pressedOnObject = false;
    // While the left button is held: the strip as the press found it, which the drag is measured
    // against as the view moves to the object under the pointer.
    bool m_dragging = false;
    track::TrackModel m_pressedStrip;
    view::WheelNotches m_notches;
};

} // namespace whoopline::shell
