#pragma once

#include <QLabel>

namespace whoopline::shell {

// A label whose text is bold even in a bitmap font that has no bold face: there it draws the
// text twice, one pixel apart, the way classic window systems embolden bitmap fonts.
class CaptionLabel : public QLabel
{
    Q_OBJECT

public:
    explicit CaptionLabel(const QString &text, QWidget *parent = nullptr);

    // True while the label draws its own bold because the font cannot.
    bool overstrikes() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace whoopline::shell
