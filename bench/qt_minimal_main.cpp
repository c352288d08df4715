// The qt_minimal baseline: a main window with one label, shown, then quit. Its start-up time and
// peak memory are what the editor's are divided by.

#include "shown_clock.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setCentralWidget(new QLabel(QStringLiteral("Hello")));
    whoopline::bench::ReportWhenShown(&window, [] { QCoreApplication::quit(); });
    window.show();
    return QApplication::exec();
}
