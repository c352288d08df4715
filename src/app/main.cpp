#include "app/command_line.h"
#include "app/file_size_signal.h"
#include "app/headless_commands.h"
#include "shell/window/app_fonts.h"
#include "shell/window/frm_main.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>

namespace {

// Without a display Qt would abort with its platform plugin's message; a platform named outright
// (offscreen, for one) needs none.
bool displayAvailable()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
           !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#else
    return true;
#endif
}

} // namespace

int main(int argc, char *argv[])
{
    whoopline::shell::ignoreFileSizeSignal();
    // Read before any application object exists: only the window needs a display.
    const whoopline::shell::CommandLine command = whoopline::shell::ParseCommandLine(argc, argv);
    if (command.action != whoopline::shell::CommandLine::Action::OpenWindow) {
        QCoreApplication app(argc, argv);
        return whoopline::shell::RunHeadless(command);
    }
    if (!displayAvailable()) {
        std::fputs("Whoopline's window needs a display, and there is none (neither DISPLAY nor "
                   "WAYLAND_DISPLAY is set). --export-track, --make-patch, --help and --version "
                   "work without one.\n",
                   stderr);
        return 2;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Whoopline"));
    QApplication::setApplicationVersion(QStringLiteral("1.0b"));

    whoopline::shell::registerFontFamilies();
    QApplication::setFont(whoopline::shell::windowFont());

    whoopline::shell::frmMain window;
    QApplication::setWindowIcon(window.windowIcon());
    window.show();
    window.OpenGivenFile(command.imagePath, command.track);
    return QApplication::exec();
}
