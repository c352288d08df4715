#pragma once

#include <QMessageBox>

#include <optional>
#include <QString>

class QFileDialog;
class QWidget;

// The modal dialogs the main window shows by default. The window holds them as replaceable
// functions so that tests never block on a modal dialog.
namespace whoopline::shell {

inline constexpr const char *OpenDialogTitle = "Open ROM...";
inline constexpr const char *RomFileFilter = "NES ROM (*.nes)";
inline constexpr const char *AnyFileFilter = "All files (*.*)";

class NameOnlyIconProvider;

// Sets up Qt's own file dialog as the Open dialog: title, filters, and icons that go by file names
// alone, from icons, which must outlive the dialog.
void prepareOpenDialog(QFileDialog &dialog, NameOnlyIconProvider &icons);

// Asks for a cartridge image to open, starting in directory unless it is empty. Returns the
// chosen file's full path, or "" on cancel.
QString chooseRomFile(QWidget *parent, const QString &directory = QString());

// Edit > Go to Object...: asks for an object's number 1..count, starting at current.
std::optional<int> askForObjectNumber(QWidget *parent, int current, int count);

// Asks for a track file to import, starting in directory. "" on cancel.
QString chooseTrackFileToOpen(QWidget *parent, const QString &directory);

// Asks where to write a file, suggesting suggestedPath and asking before replacing a file.
// Returns the chosen file's full path, or "" on cancel.
QString chooseFileToSave(QWidget *parent, const QString &title, const QString &suggestedPath,
                         const QString &filter);

// Where to write the track picture, "" on cancel, and whether it marks the alternative objects.
struct PictureChoice
{
    QString path;
    bool markAlternative = false;
};

// Asks where to write the track picture, suggesting suggestedPath, with a check box "Mark
// alternative objects", unchecked.
PictureChoice chooseTrackPictureFile(QWidget *parent, const QString &suggestedPath);

// A message box with the given icon and an OK button.
void showMessageBox(QWidget *parent, QMessageBox::Icon icon, const QString &title,
                    const QString &text);

// A question with Save, Discard and Cancel; Save is the default and Escape cancels.
QMessageBox::StandardButton askSaveDiscardCancel(QWidget *parent, const QString &title,
                                                 const QString &text);

// A warning with an action button ("Overwrite") and Cancel, the default; true for the action.
bool askActionOrCancel(QWidget *parent, const QString &title, const QString &text,
                       const QString &action);

// Shows a fresh About window modally and destroys it once it is closed.
void showAboutWindow(QWidget *parent);

} // namespace whoopline::shell
