#pragma once

#include "shell/actions/action_context.h"
#include "shell/dialogs/window_dialogs.h"
#include "view/navigation.h"

#include <QMainWindow>

#include <array>
#include <memory>
#include <vector>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QScrollBar;

namespace whoopline::document {
class ImageDocument;
}

namespace whoopline::shell {

class ClientArea;
class EditController;
class EditorSession;
class FileController;
class RectangleShape;
class SessionController;
class TrackController;
class TrackOverviewWidget;
class TrackViewWidget;
class ViewController;

// The editor's one main window: the track view, the navigation buttons, the current-object row,
// the track loader, the laps box, and the menus its controllers fill. Its controls follow the
// document's signals; its menus hand the controllers' commands to the document.
class frmMain : public QMainWindow
{
    Q_OBJECT

public:
    // dialogs answers the window's questions and dialogs; null for the standard ones.
    explicit frmMain(WindowDialogs *dialogs = nullptr, QWidget *parent = nullptr);
    ~frmMain() override;

    // The open image and its tracks; the window shows its shown track.
    document::ImageDocument &document() { return *m_document; }
    const document::ImageDocument &document() const { return *m_document; }
    // What outlives one image: the settings, the recent files and the play test's files.
    EditorSession &session() { return *m_session; }

    // The window's own controls and menu items in control order, which SetControlsEnabled walks.
    const std::vector<QObject *> &Controls() const { return m_controls; }

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
    void btnCurrentObject_Click();
    void chkAlternative_Click();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // The window's caption while no image is open.
    static inline const QString Caption = QStringLiteral("Whoopline - Version 1.0b - Quenby");

    void createControls();
    void createControllers();
    void createMenus();
    void assignKeysAndTips();
    void connectHandlers();
    void showDocument();
    void Form_Load();
    void SetControlsEnabled(QWidget *window, bool enabled);
    // The enabled states of the controls that need a shown track, and the marking's tip.
    void updateControls();
    void setResizable(bool resizable);

    template <typename T> T *addControl(T *control, const char *name);

    void RenderTrack();
    void ShowLaps();
    void Navigate(view::NavigationButton button, bool extendRun = false);
    // Loads track as a user does: the chooser shows it too.
    void loadTrack(int track);
    void warn(const QString &text);

    WindowDialogs m_ownDialogs;
    WindowDialogs &m_dialogs;
    document::ImageDocument *m_document;
    EditorSession *m_session = nullptr;
    std::unique_ptr<ActionContext> m_context;
    FileController *m_files = nullptr;
    EditController *m_edits = nullptr;
    TrackController *m_tracks = nullptr;
    ViewController *m_view = nullptr;
    SessionController *m_sessionActions = nullptr;

    ClientArea *m_client = nullptr;
    TrackViewWidget *picTrack = nullptr;
    RectangleShape *shpSelect = nullptr;
    TrackOverviewWidget *m_overview = nullptr;
    std::array<QPushButton *, 6> m_navigation{}; // btnPrevBeginning ... btnNextEnd
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

    QAction *mnuFile = nullptr;
    QAction *mnuOpen = nullptr;
    QAction *mnuSave = nullptr;
    QAction *mnuFileLine1 = nullptr;
    QAction *mnuExit = nullptr;
    QAction *mnuHelp = nullptr;
    QAction *mnuAbout = nullptr;
    QMenu *m_recentMenu = nullptr;

    std::vector<QObject *> m_controls;
};

} // namespace whoopline::shell
