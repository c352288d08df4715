#include "app_fonts.h"
#include "file_size_signal.h"
#include "frm_main.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
    whoopline::shell::ignoreFileSizeSignal();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Whoopline"));
    QApplication::setApplicationVersion(QStringLiteral("1.0b"));

    whoopline::shell::registerFontFamilies();
    QApplication::setFont(whoopline::shell::windowFont());

    whoopline::shell::frmMain window;
    QApplication::setWindowIcon(window.windowIcon());
    window.show();
    return QApplication::exec();
}
