#pragma once

#include "document/image_document.h"
#include "edit/selection_exchange.h"
#include "shell/dialogs/window_dialogs.h"
#include "view/navigation.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <vector>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QScrollBar;

namespace whoopline::shell {

class CommandAvailability;
class EditorSession;
class FileCommands;
class PictureBox;
class RectangleShape;
class ViewCommands;
class SessionCommands;
class WindowStatusBar;

// The editor's one main window: the track view, the navigation buttons, the current-object row,
// the track loader, the laps box and the File, Edit and Help menus.
class frmMain : public QMainWindow, public WindowDialogs
{
    Q_OBJECT

public:
    // The window's caption while no image is open.
    static inline const QString Caption = QStringLiteral("Whoopline - Version 1.0b - Quenby");

    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    // Switches the controls and menu items of window on or off (see CommandAvailability).
    void SetControlsEnabled(QWidget *window, bool enabled);

    // The window's controls and menu items in control order.
    const std::vector<QObject *> &Controls() const { return m_controls; }
    // Names control and puts it under the switch, after the others: a part's own menu item.
    void addSwitchedControl(QObject *control, const char *name);

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
    // the current object, the track's free bytes, and which tracks have unsaved edits.
    QLabel *lblFileName = nullptr;
    QLabel *lblTrack = nullptr;
    QLabel *lblObject = nullptr;
    QLabel *lblFreeBytes = nullptr;
    QLabel *lblMarked = nullptr;
    QLabel *lblModified = nullptr;

    QAction *mnuFile = nullptr;
    QAction *mnuOpen = nullptr;
    QAction *mnuSave = nullptr;
    QAction *mnuSaveAs = nullptr;
    QAction *mnuRevert = nullptr;
    QAction *mnuExportTrack = nullptr;
    QAction *mnuCreatePatch = nullptr;
    QAction *mnuExportTrackFile = nullptr;
    QAction *mnuImportTrackFile = nullptr;
    QAction *mnuFileLine1 = nullptr;
    QAction *mnuExit = nullptr;
    QAction *mnuEdit = nullptr;
    QAction *mnuUndo = nullptr;
    QAction *mnuRedo = nullptr;
    QAction *mnuEditLine1 = nullptr;
    QAction *mnuInsert = nullptr;
    QAction *mnuDelete = nullptr;
    QAction *mnuSetLaps = nullptr;
    QAction *mnuHelp = nullptr;
    QAction *mnuAbout = nullptr;

    // The open image and its tracks; the window shows its shown track.
    document::ImageDocument &document() { return *m_document; }
    const document::ImageDocument &document() const { return *m_document; }
    // What outlives one image: the settings, the recent files and the play test's files.
    EditorSession &session() { return *m_session; }
    const EditorSession &session() const { return *m_session; }
    // The menus, which the window's smaller parts fill too.
    QMenu *fileMenu = nullptr;
    QMenu *recentMenu = nullptr;
    QMenu *editMenu = nullptr;
    QMenu *viewMenu = nullptr;
    // The View menu's items, the track overview, and the wheel and tooltips on the track view.
    ViewCommands *viewCommands = nullptr;
    // File > Recent Files, File > Play Test and Edit > Preferences...
    SessionCommands *sessionCommands = nullptr;
    // Lets the switch reach a control that one of the window's smaller parts adds.
    void registerControl(QObject *control) { m_controls.push_back(control); }

    // Opens the image at path as File > Open does once a file is chosen: checked and read first,
    // so a refused image leaves the window as it was, with a warning.
    void OpenImageFile(const QString &path);
    // Opens a file named on the command line or dropped on the window, and shows track 1..5
    // unless it is 0; "" opens nothing.
    void OpenGivenFile(const QString &path, int track = 0);

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
    void mnuInsert_Click();
    void mnuDelete_Click();
    void mnuSetLaps_Click();
    void picTrack_Click(QPoint at);
    void picTrack_DblClick(QPoint at);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void createControls();
    void createMenus();
    void assignKeysAndTips();
    void connectHandlers();
    void showDocument();
    void Form_Load();

    template <typename T> T *addControl(T *control, const char *name);

    void RenderTrack();
    void ShowLaps();
    void UpdateStatusBar();
    void Navigate(view::NavigationButton button);
    void warn(const QString &text);
    // Shows the refusal of an edit the document was handed.
    void RecordEdit(const Status &done);

    document::ImageDocument *m_document = nullptr;
    FileCommands *m_files = nullptr;
    CommandAvailability *m_availability = nullptr;
    WindowStatusBar *m_statusBar = nullptr;
    EditorSession *m_session = nullptr;
    // The object selector's choice, started afresh at every opening.
    edit::ObjectSelectorState m_selector;
    // Whether the last press on the track view fell on an object: only then does the
    // double-click that follows it open the object selector.
    bool m_pressedOnObject = false;

    std::vector<QObject *> m_controls;
};

} // namespace whoopline::shell
