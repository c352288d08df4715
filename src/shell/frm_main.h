#pragma once

#include "navigation.h"
#include "selection_exchange.h"
#include "tile.h"
#include "track_model.h"

#include <QImage>
#include <QMainWindow>
#include <QMessageBox>

#include <array>
#include <functional>
#include <vector>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace whoopline::shell {

class PictureBox;
class RectangleShape;

// The editor's one main window: the track view, the navigation buttons, the current-object row,
// the track loader, the laps box and the File and Help menus.
class frmMain : public QMainWindow
{
    Q_OBJECT

public:
    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    // Enables or disables every control and menu item of window, in control order, except the
    // menu items that must work before an image is open: File, Open, Exit, Help and About.
    // Controls without an enabled state are passed over.
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
    QAction *mnuFileLine1 = nullptr;
    QAction *mnuExit = nullptr;
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

    // What the object selector remembers from one opening to the next.
    edit::ObjectSelectorState ObjectSelector;

    // Opens the image at path as File > Open does once a file is chosen: checked and read first,
    // so a refused image leaves the window as it was, with a warning.
    void OpenImageFile(const QString &path);

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
    void picTrack_Click(QPoint at);
    void picTrack_DblClick(QPoint at);
    // Whether the track holds edits that are not saved yet.
    void SetModified(bool modified);

private:
    void createControls();
    void createMenus();
    void createStatusBar();
    void assignKeysAndTips();
    void connectHandlers();
    void Form_Load();

    template <typename T> T *addControl(T *control, const char *name);

    void LoadTrack(int track);
    void RenderTrack();
    void Navigate(view::NavigationButton button);
    void warn(const QString &text);

    // Whether Track was loaded from the image that is open now: only then may a save write it.
    bool m_trackFromOpenImage = false;
    bool m_modified = false;
    // Whether the last press on the track view fell on an object: only then does the
    // double-click that follows it open the object selector.
    bool m_pressedOnObject = false;

    std::vector<QObject *> m_controls;
};

} // namespace whoopline::shell
