#pragma once

#include "navigation.h"
#include "safety_copy.h"
#include "result.h"
#include "selection_exchange.h"
#include "tile.h"
#include "track_edit_command.h"
#include "track_model.h"

#include <QImage>
#include <QMainWindow>
#include <QMessageBox>

#include <array>
#include <functional>
#include <vector>

class QAction;
class QCheckBox;
class QDragEnterEvent;
class QDropEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QUndoStack;

namespace whoopline::shell {

class PictureBox;
class RectangleShape;

// The editor's one main window: the track view, the navigation buttons, the current-object row,
// the track loader, the laps box and the File, Edit and Help menus.
class frmMain : public QMainWindow
{
    Q_OBJECT

public:
    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    // Enables or disables every control and menu item of window, in control order, except the
    // menu items that must work before an image is open: File, Open, Exit, Help and About.
    // Controls without an enabled state are passed over; Undo and Redo also need a step to take.
    void SetControlsEnabled(QWidget *window, bool enabled);

    // The window's controls and menu items in control order.
    const std::vector<QObject *> &Controls() const { return m_controls; }

    // Replaceable modal dialogs. chooseImageFile returns "" when the user cancels.
    std::function<QString(QWidget *parent)> chooseImageFile;
    std::function<void(QWidget *parent, QMessageBox::Icon icon, const QString &title,
                       const QString &text)>
        showMessage;
    std::function<void(QWidget *parent)> showAbout;
    // Shows the object selector modally over the current object; true when the user chose OK.
    std::function<bool(QWidget *parent)> runObjectSelector;
    // Asks where to write a file, suggesting suggestedPath; returns "" when the user cancels.
    std::function<QString(QWidget *parent, const QString &title, const QString &suggestedPath,
                          const QString &filter)>
        chooseSaveFile;
    // Asks whether to save the unsaved edits before they would be lost: Save, Discard or Cancel.
    std::function<QMessageBox::StandardButton(QWidget *parent, const QString &title,
                                              const QString &text)>
        askToSaveChanges;

    // The track view and its marker of the current object.
    PictureBox *picTrack = nullptr;
    RectangleShape *shpSelect = nullptr;

    QPushButton *btnPrevBeginning = nullptr;
    QPushButton *btnPrev10 = nullptr;
    QPushButton *btnPrev = nullptr;
    QPushButton *btnNext = nullptr;
    QPushButton *btnNext10 = nullptr;
    QPushButton *btnNextEnd = nullptr;

    // The four captions: "Load Track:", "Current Object:", "Length:", "Number of Laps:".
    std::array<QLabel *, 4> lblGeneral{};
    QLabel *lblCurrentObject = nullptr;
    QPushButton *btnCurrentObject = nullptr;
    QLabel *lblLength = nullptr;

    // The scroll bars hold the values; the text boxes beside them only show them.
    QLineEdit *txtLaps = nullptr;
    QScrollBar *scrLaps = nullptr;
    QLineEdit *txtLoadTrack = nullptr;
    QScrollBar *scrLoadTrack = nullptr;
    QPushButton *btnLoadTrack = nullptr;
    QCheckBox *chkAlternative = nullptr;

    // The status bar's parts: the open file's name (its full path as tooltip), the loaded track,
    // the current object, the track's free bytes, and whether there are unsaved edits.
    QLabel *lblFileName = nullptr;
    QLabel *lblTrack = nullptr;
    QLabel *lblObject = nullptr;
    QLabel *lblFreeBytes = nullptr;
    QLabel *lblModified = nullptr;

    QAction *mnuFile = nullptr;
    QAction *mnuOpen = nullptr;
    QAction *mnuSave = nullptr;
    QAction *mnuExportTrack = nullptr;
    QAction *mnuCreatePatch = nullptr;
    QAction *mnuFileLine1 = nullptr;
    QAction *mnuExit = nullptr;
    QAction *mnuEdit = nullptr;
    QAction *mnuUndo = nullptr;
    QAction *mnuRedo = nullptr;
    QAction *mnuEditLine1 = nullptr;
    QAction *mnuInsert = nullptr;
    QAction *mnuDelete = nullptr;
    QAction *mnuHelp = nullptr;
    QAction *mnuAbout = nullptr;

    // Off-screen pictures, never shown: the tile sheet and the empty-track background.
    QImage picGFX;
    QImage picBuffer;

    // The open image: its full path (empty until the first successful open) and its palette.
    QString RomPath;
    rom::TilePalette TilePalette{};

    // The loaded track and the widths of the open image's one-byte objects. The laps value of the
    // loaded track lives in scrLaps.
    track::TrackModel Track;
    track::ObjectWidthTable ObjectWidthTable{};

    // The object selector's choice, started afresh at every opening.
    edit::ObjectSelectorState ObjectSelector;

    // Every change to the loaded track is one step: replace, mark, laps, insert, delete. Load and
    // Open clear it, a successful save marks it clean; not clean means unsaved edits.
    QUndoStack *UndoStack = nullptr;

    // Opens the image at path as File > Open does once a file is chosen: checked and read first,
    // so a refused image leaves the window as it was, with a warning.
    void OpenImageFile(const QString &path);

    // Opens a file named on the command line or dropped on the window, as File > Open does once
    // the file is chosen. An empty path opens nothing.
    void OpenGivenFile(const QString &path);

    // Shows the open file, the track, the current object, the free bytes and the unsaved-edits
    // mark in the status bar; called whenever any of them may have changed.
    void UpdateStatusBar();

public slots:
    void mnuOpen_Click();
    void mnuSave_Click();
    void mnuExit_Click();
    void mnuAbout_Click();
    void btnLoadTrack_Click();
    void scrLoadTrack_Change();
    void scrLaps_Change();
    void btnPrevBeginning_Click();
    void btnPrev10_Click();
    void btnPrev_Click();
    void btnNext_Click();
    void btnNext10_Click();
    void btnNextEnd_Click();
    void btnCurrentObject_Click();
    void chkAlternative_Click();
    void mnuExportTrack_Click();
    void mnuCreatePatch_Click();
    void mnuInsert_Click();
    void mnuDelete_Click();
    void picTrack_Click(QPoint at);
    void picTrack_DblClick(QPoint at);

protected:
    void closeEvent(QCloseEvent *event) override;
    // One local file dropped on the window is opened; anything else is refused.
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void createControls();
    void createMenus();
    void createStatusBar();
    void assignKeysAndTips();
    void connectHandlers();
    void setUpShareCommands();
    // Export Track Picture works on a track loaded from the open image only.
    void updateExportTrackEnabled();
    void Form_Load();

    template <typename T> T *addControl(T *control, const char *name);

    void LoadTrack(int track);
    void RenderTrack();
    void Navigate(view::NavigationButton button);
    void warn(const QString &text);

    // The loaded track as one undo step holds it, and the showing of such a state.
    edit::TrackEditState EditState() const;
    void ApplyEditState(const edit::TrackEditState &state);
    // Runs edit on a copy of the state and records the change as one step; a refusal is shown.
    void RecordEdit(edit::TrackEditKind kind,
                    const std::function<Status(edit::TrackEditState &state)> &edit);
    // With unsaved edits, asks whether to save them; true when the command may go on.
    bool ConfirmUnsavedEdits();

    // Whether Track was loaded from the image that is open now: only then may a save write it.
    bool m_trackFromOpenImage = false;
    // Which images got their safety copy in this run, before the first save into them.
    SafetyCopies m_safetyCopies;
    // The laps value of the loaded track as the undo steps know it; scrLaps shows it.
    int m_laps = 0;
    // Whether the last press on the track view fell on an object: only then does the
    // double-click that follows it open the object selector.
    bool m_pressedOnObject = false;

    std::vector<QObject *> m_controls;
};

} // namespace whoopline::shell
