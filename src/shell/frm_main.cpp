#include "frm_main.h"

#include "app_fonts.h"
#include "artwork_reader.h"
#include "deferred_icon_style.h"
#include "frm_object_selector.h"
#include "picture_box.h"
#include "rectangle_shape.h"
#include "standard_dialogs.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QIcon>
#include <QPixmap>
#include <QUndoStack>

namespace whoopline::shell {

namespace {

constexpr QSize TileSheetSize(4096, 16);
constexpr QSize TrackViewSize(512, 256);

QImage blackPicture(QSize size)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::black);
    return picture;
}

// A control the window's switch cannot reach: the marker is only a drawing.
bool hasEnabledState(const QObject *control)
{
    return qobject_cast<const RectangleShape *>(control) == nullptr;
}

} // namespace

frmMain::frmMain(QWidget *parent)
    : QMainWindow(parent),
      // Open starts in the folder of the image opened last in this run.
      chooseImageFile([this](QWidget *parent) {
          return chooseRomFile(parent,
                               RomPath.isEmpty() ? QString() : QFileInfo(RomPath).absolutePath());
      }),
      showMessage(showMessageBox),
      showAbout(showAboutWindow), runObjectSelector([this](QWidget *parent) {
          return edit::RunObjectSelector(parent, ObjectSelector, picGFX, RomPath);
      }),
      askToSaveChanges(askSaveDiscardCancel),
      picGFX(blackPicture(TileSheetSize)),
      picBuffer(blackPicture(TrackViewSize))
{
    registerFontFamilies();
    useDeferredIconStyle();
    setFont(windowFont());
    setWindowTitle(QStringLiteral("Whoopline - Version 1.0b - Quenby"));
    QIcon icon;
    for (const QString &size : {QStringLiteral("16"), QStringLiteral("32")})
        icon.addPixmap(QPixmap::fromImage(ReadArtwork(QStringLiteral(":/shell/icon%1.png").arg(size))));
    setWindowIcon(icon);

    UndoStack = new QUndoStack(this);
    createControls();
    createMenus();
    createStatusBar();
    connectHandlers();
    assignKeysAndTips();
    Form_Load();
}

frmMain::~frmMain()
{
    // The undo stack is a child, deleted after this window has stopped being one: its last
    // signals must not reach the window's handlers.
    UndoStack->disconnect(this);
}

void frmMain::Form_Load()
{
    SetControlsEnabled(this, false);
}

void frmMain::SetControlsEnabled(QWidget *window, bool enabled)
{
    auto *form = qobject_cast<frmMain *>(window);
    if (form == nullptr)
        return;
    for (QObject *control : form->Controls()) {
        if (control == form->mnuOpen || control == form->mnuFile || control == form->mnuExit ||
            control == form->mnuHelp || control == form->mnuAbout)
            continue;
        if (!hasEnabledState(control))
            continue;
        // Undo and Redo also need a step to take.
        const bool hasStep = control == form->mnuUndo   ? form->UndoStack->canUndo()
                             : control == form->mnuRedo ? form->UndoStack->canRedo()
                                                        : true;
        if (auto *action = qobject_cast<QAction *>(control))
            action->setEnabled(enabled && hasStep);
        else if (auto *widget = qobject_cast<QWidget *>(control))
            widget->setEnabled(enabled);
    }
}

void frmMain::mnuExit_Click()
{
    close();
}

// Exit and the close box end the program, once unsaved edits were saved or let go.
void frmMain::closeEvent(QCloseEvent *event)
{
    if (ConfirmUnsavedEdits())
        event->accept();
    else
        event->ignore();
}

void frmMain::mnuAbout_Click()
{
    if (showAbout)
        showAbout(this);
}

} // namespace whoopline::shell
