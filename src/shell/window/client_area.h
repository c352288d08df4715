#pragma once

#include <QWidget>

namespace whoopline::shell {

// The main window's client area, which tells when its width changes: in a resizable window the
// track view takes what the window gives.
class ClientArea : public QWidget
{
    Q_OBJECT

public:
    using QWidget::QWidget;

signals:
    void widthChanged(int width);

protected:
    void resizeEvent(QResizeEvent *event) override;
};

} // namespace whoopline::shell
