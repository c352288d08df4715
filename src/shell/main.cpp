#include "app_fonts.h"
#include "command_line.h"
#include "file_size_signal.h"
#include "frm_main.h"
#include "headless_commands.h"

#include <QApplication>
#include <QIcon>
#include <QPushButton>
#include <QScrollBar>

int main(int argc, char *argv[])
{
    whoopline::shell::ignoreFileSizeSignal();
    // Read before any application object exists: only the window needs a display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const whoopline::shell::CommandLine command = whoopline::shell::ParseCommandLine(arguments);
    if (command.action != whoopline::shell::CommandLine::Action::OpenWindow) {
        QCoreApplication app(argc, argv);
        return whoopline::shell::RunHeadless(command);
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Whoopline"));
    QApplication::setApplicationVersion(QStringLiteral("1.0b"));

    whoopline::shell::registerFontFamilies();
    QApplication::setFont(whoopline::shell::windowFont());

    whoopline::shell::frmMain window;
    QApplication::setWindowIcon(window.windowIcon());
    window.show();
    window.OpenGivenFile(command.imagePath);
    if (command.track > 0 && window.btnLoadTrack->isEnabled()) {
        window.scrLoadTrack->setValue(command.track);
        window.btnLoadTrack->click();
    }
    return QApplication::exec();
}
