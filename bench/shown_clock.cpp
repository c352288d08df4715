#include "shown_clock.h"

#include <QEvent>
#include <QTimer>

#include <cstdio>
#include <ctime>

namespace whoopline::bench {

namespace {

// Waits for one paint event of its widget, then deletes itself.
class PaintWatcher : public QObject
{
public:
    PaintWatcher(QWidget *widget, std::function<void()> next) : QObject(widget), m_next(std::move(next))
    {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // The filter runs before the paint: the queued call runs once it is done.
            QTimer::singleShot(0, watched, m_next);
            deleteLater();
        }
        return false;
    }

private:
    std::function<void()> m_next;
};

} // namespace

void WhenPainted(QWidget *widget, std::function<void()> next)
{
    new PaintWatcher(widget, std::move(next));
}

void ReportWhenShown(QWidget *window, std::function<void()> next)
{
    WhenPainted(window, [next = std::move(next)] {
        timespec used{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &used);
        std::printf("shown %lld\n", static_cast<long long>(used.tv_sec) * 1000000000LL + used.tv_nsec);
        std::fflush(stdout);
        next();
    });
}

} // namespace whoopline::bench
