#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

namespace whoopline::shell {

// Shows one picture 1:1 from its top-left corner over a plain background colour. Pixel art stays
// sharp at any scale factor: the picture is never smoothed.
class PictureBox : public QWidget
{
    Q_OBJECT

public:
    explicit PictureBox(QWidget *parent = nullptr);

    void setPicture(const QImage &picture);
    QImage picture() const { return m_picture; }

    void setBackgroundColour(const QColor &colour);
    QColor backgroundColour() const { return m_background; }

signals:
    // A press of the left button at a point of the box; the second press of a double-click
    // comes as doubleClicked instead.
    void clicked(QPoint at);
    void doubleClicked(QPoint at);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    QImage m_picture;
    QColor m_background = Qt::black;
};

} // namespace whoopline::shell
