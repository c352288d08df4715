#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

// The modal dialogs the main window shows by default. The window holds them as replaceable
// functions so that tests never block on a modal dialog.
namespace whoopline::shell {

inline constexpr const char *OpenDialogTitle = "Open ROM...";
inline constexpr const char *RomFileFilter = "NES ROM (*.nes)";
inline constexpr const char *AnyFileFilter = "All files (*.*)";

// Asks for a cartridge image to open, starting in directory unless it is empty. Returns the
// chosen file's full path, or "" on cancel.
QString chooseRomFile(QWidget *parent, const QString &directory = QString());

// A message box with the given icon and an OK button.
void showMessageBox(QWidget *parent, QMessageBox::Icon icon, const QString &title,
                    const QString &text);

// Shows a fresh About window modally and destroys it once it is closed.
void showAboutWindow(QWidget *parent);

} // namespace whoopline::shell
