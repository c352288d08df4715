#pragma once

#include <QWidget>

#include <functional>

// For the programs whose start-up the benchmark script times as whole processes.
namespace whoopline::bench {

// Runs next once widget has been painted the next time, after the paint has finished.
void WhenPainted(QWidget *widget, std::function<void()> next);

// Once window has been painted for the first time, writes "shown <ns>" on standard output, the
// processor time the process has used so far in nanoseconds, and then runs next. Processor time
// rather than the clock: on a shared machine the clock mostly measures the other programs.
void ReportWhenShown(QWidget *window, std::function<void()> next);

} // namespace whoopline::bench
