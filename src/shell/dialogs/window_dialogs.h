#pragma once

#include "edit/current_object_edit.h"
#include "shell/dialogs/frm_preferences.h"
#include "shell/dialogs/set_laps_dialog.h"
#include "shell/dialogs/standard_dialogs.h"

#include <QMessageBox>

#include <functional>
#include <optional>

namespace whoopline::shell {

// The questions and dialogs of the main window and its controllers, held as replaceable functions
// so that tests answer them and never block on one. Each starts as the standard dialog; the
// window sets the two that need its state.
struct WindowDialogs
{
    // Asks for an image to open; "" when the user cancels.
    std::function<QString(QWidget *parent)> chooseImageFile;
    std::function<void(QWidget *parent, QMessageBox::Icon icon, const QString &title,
                       const QString &text)>
        showMessage = showMessageBox;
    std::function<void(QWidget *parent)> showAbout = showAboutWindow;
    // Shows the object selector modally showing an object; the choice on OK, nothing on Cancel.
    std::function<std::optional<edit::ObjectChoice>(QWidget *parent, const edit::ObjectChoice &shown)>
        runObjectSelector;
    // Asks where to write a file, suggesting suggestedPath; returns "" when the user cancels.
    std::function<QString(QWidget *parent, const QString &title, const QString &suggestedPath,
                          const QString &filter)>
        chooseSaveFile = chooseFileToSave;
    // Asks whether to save the unsaved edits before they would be lost: Save, Discard or Cancel.
    std::function<QMessageBox::StandardButton(QWidget *parent, const QString &title,
                                              const QString &text)>
        askToSaveChanges = askSaveDiscardCancel;
    // Asks whether to go on with action ("Overwrite", "Revert"); Cancel is the default.
    std::function<bool(QWidget *parent, const QString &title, const QString &text,
                       const QString &action)>
        askToConfirm = askActionOrCancel;
    // Asks where to write the track picture and whether to mark its alternative objects.
    std::function<PictureChoice(QWidget *parent, const QString &suggestedPath)> chooseTrackPicture =
        chooseTrackPictureFile;
    // Asks for a track file to import, starting in directory; "" on cancel.
    std::function<QString(QWidget *parent, const QString &directory)> chooseTrackFile = chooseTrackFileToOpen;
    // Edit > Go to Object...: the object's number (1..count) typed, nothing on Cancel.
    std::function<std::optional<int>(QWidget *parent, int current, int count)> askObjectNumber = askForObjectNumber;
    // Edit > Preferences...: shows and keeps the settings; true on OK.
    std::function<bool(QWidget *parent, EditorSettings &settings)> editPreferences =
        [](QWidget *parent, EditorSettings &settings) { return showPreferences(parent, settings, false); };
    // Edit > Set Laps...: the laps typed, nothing on Cancel.
    std::function<std::optional<int>(QWidget *parent, int laps)> runSetLaps = RunSetLaps;
};

} // namespace whoopline::shell
