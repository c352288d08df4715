#pragma once

#include <QWidget>

#include <functional>

// For the programs whose start-up the benchmark script times as whole processes.
namespace whoopline::bench {

// Runs next once widget has been painted the next time, after the paint has finished.
void WhenPainted(QWidget *widget, std::function<void()> next);

// Once window has been painted for the first time, writes "shown <ns>" on standard output, the
// steady clock in nanoseconds (the clock the launcher reads before it starts the program), and
// then runs next.
void ReportWhenShown(QWidget *window, std::function<void()> next);

} // namespace whoopline::bench
