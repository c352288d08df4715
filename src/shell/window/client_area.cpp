#include "shell/window/client_area.h"

#include <QResizeEvent>

namespace whoopline::shell {

void ClientArea::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (event->size().width() != event->oldSize().width())
        emit widthChanged(event->size().width());
}

} // namespace whoopline::shell
