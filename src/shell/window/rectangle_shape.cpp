#include "shell/window/rectangle_shape.h"

#include <QPainter>

namespace whoopline::shell {

RectangleShape::RectangleShape(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
}

void RectangleShape::setBorderColour(const QColor &colour)
{
    m_border = colour;
    update();
}

void RectangleShape::paintEvent(QPaintEvent *)
{
    // Four filled strips rather than a pen: a cosmetic pen would thin out at scale factor 2.
    const int w = width();
    const int h = height();
    if (w <= 0 || h <= 0)
        return;
    QPainter painter(this);
    painter.fillRect(0, 0, w, 1, m_border);
    painter.fillRect(0, h - 1, w, 1, m_border);
    painter.fillRect(0, 0, 1, h, m_border);
    painter.fillRect(w - 1, 0, 1, h, m_border);
}

} // namespace whoopline::shell
