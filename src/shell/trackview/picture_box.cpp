#include "shell/trackview/picture_box.h"

#include <QMouseEvent>
#include <QPainter>

namespace whoopline::shell {

PictureBox::PictureBox(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::setPicture(const QImage &picture)
{
    m_picture = picture;
    update();
}

void PictureBox::setBackgroundColour(const QColor &colour)
{
    m_background = colour;
    update();
}

void PictureBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.fillRect(rect(), m_background);
    if (!m_picture.isNull())
        painter.drawImage(QRect(QPoint(0, 0), m_picture.size()), m_picture);
}

void PictureBox::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit clicked(event->position().toPoint());
    QWidget::mousePressEvent(event);
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    // Not passed on: the base class would report the second press as a click too.
    if (event->button() == Qt::LeftButton)
        emit doubleClicked(event->position().toPoint());
}

} // namespace whoopline::shell
