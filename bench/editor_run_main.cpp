// The editor as a whole process: starts like the real program, reports when its main window is
// shown, then opens the image, loads the track, waits until the track is painted and quits.
// Usage: whoopline-bench-editor IMAGE TRACK

#include "editor_session.h"
#include "shell/trackview/track_view_widget.h"
#include "shell/window/app_fonts.h"
#include "shown_clock.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "Usage: %s IMAGE TRACK\n", argv[0]);
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    const int track = QByteArray(argv[2]).toInt();

    // As the real program starts.
    QApplication::setApplicationName(QStringLiteral("Whoopline"));
    QApplication::setApplicationVersion(QStringLiteral("1.0b"));
    whoopline::shell::registerFontFamilies();
    QApplication::setFont(whoopline::shell::windowFont());
    whoopline::bench::EditorSession editor;
    QApplication::setWindowIcon(editor.window.windowIcon());

    int status = 0;
    whoopline::bench::ReportWhenShown(&editor.window, [&] {
        const QString failed = editor.openAndLoad(path, track);
        if (!failed.isEmpty()) {
            std::fprintf(stderr, "%s\n", qPrintable(failed));
            status = 1;
            QCoreApplication::quit();
            return;
        }
        whoopline::bench::WhenPainted(editor.control("picTrack"), [] { QCoreApplication::quit(); });
    });
    editor.window.show();
    QApplication::exec();
    return status;
}
