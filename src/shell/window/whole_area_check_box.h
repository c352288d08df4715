#pragma once

#include <QCheckBox>

namespace whoopline::shell {

// A check box that a click anywhere in its rectangle toggles, not only on its box and its text,
// as the layout it was drawn for expects.
class WholeAreaCheckBox : public QCheckBox
{
    Q_OBJECT

public:
    using QCheckBox::QCheckBox;

protected:
    bool hitButton(const QPoint &position) const override { return rect().contains(position); }
};

} // namespace whoopline::shell
