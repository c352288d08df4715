#include "shell/actions/action_context.h"

#include "shell/dialogs/window_dialogs.h"

#include <QMainWindow>
#include <QStatusBar>

namespace whoopline::shell {

void ActionContext::warn(const QString &text) const
{
    dialogs.showMessage(&window, QMessageBox::Warning, MessageTitle, text);
}

void ActionContext::inform(const QString &text) const
{
    dialogs.showMessage(&window, QMessageBox::Information, MessageTitle, text);
}

void ActionContext::note(const QString &text, int milliseconds) const
{
    window.statusBar()->showMessage(text, milliseconds);
}

} // namespace whoopline::shell
