#pragma once

#include <QColor>
#include <QWidget>

namespace whoopline::shell {

// A 1-pixel rectangle outline drawn over its parent; it takes no input and, being only a
// drawing, has no enabled state of its own for the window to switch.
class RectangleShape : public QWidget
{
    Q_OBJECT

public:
    explicit RectangleShape(QWidget *parent = nullptr);

    void setBorderColour(const QColor &colour);
    QColor borderColour() const { return m_border; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_border = Qt::black;
};

} // namespace whoopline::shell
