// Grabs the real main window with an image open and a track loaded, for the README:
//   whoopline-screenshot IMAGE OUT.png [TRACK [STEPS]]
// STEPS presses ">" that many times after the load. Runs headless with QT_QPA_PLATFORM=offscreen.
#include "shell/window/frm_main.h"

#include <QApplication>
#include <QPixmap>
#include <QPushButton>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: whoopline-screenshot IMAGE OUT.png [TRACK [STEPS]]\n");
        return 2;
    }
    const QString image = args.at(1);
    const int track = args.size() > 3 ? args.at(3).toInt() : 1;
    const int steps = args.size() > 4 ? args.at(4).toInt() : 0;

    bool failed = false;
    whoopline::shell::WindowDialogs dialogs;
    dialogs.showMessage = [&](QWidget *, QMessageBox::Icon, const QString &, const QString &text) {
        std::fprintf(stderr, "%s\n", qPrintable(text));
        failed = true;
    };
    whoopline::shell::frmMain window(&dialogs);
    window.show();
    window.OpenGivenFile(image, track);
    for (int i = 0; i < steps; ++i)
        window.findChild<QPushButton *>(QStringLiteral("btnNext"))->click();
    if (failed)
        return 1;
    // The status bar lays out its new texts from the event loop.
    QApplication::processEvents();
    if (!window.grab().save(args.at(2))) {
        std::fprintf(stderr, "The screenshot could not be written to %s.\n", qPrintable(args.at(2)));
        return 1;
    }
    return 0;
}
