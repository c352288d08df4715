#include "frm_main.h"

#include "app_fonts.h"
#include "artwork_reader.h"
#include "command_availability.h"
#include "editor_session.h"
#include "deferred_icon_style.h"
#include "file_commands.h"
#include "frm_object_selector.h"
#include "picture_box.h"
#include "rectangle_shape.h"
#include "set_laps_dialog.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QIcon>
#include <QPixmap>
#include <QUndoGroup>

namespace whoopline::shell {

namespace {

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
          const QString path = document().path();
          return chooseRomFile(parent, path.isEmpty() ? QString() : QFileInfo(path).absolutePath());
      }),
      showMessage(showMessageBox),
      showAbout(showAboutWindow), runObjectSelector([this](QWidget *parent) {
          return edit::RunObjectSelector(parent, m_selector, document().graphics().picGFX,
                                         document().path());
      }),
      chooseSaveFile(chooseFileToSave), askToSaveChanges(askSaveDiscardCancel),
      askToConfirm(askActionOrCancel), chooseTrackPicture(chooseTrackPictureFile),
      runSetLaps(edit::RunSetLaps),
      m_document(new document::ImageDocument(this))
{
    registerFontFamilies();
    useDeferredIconStyle();
    setFont(windowFont());
    setWindowTitle(QStringLiteral("Whoopline - Version 1.0b - Quenby"));
    QIcon icon;
    for (const QString &size : {QStringLiteral("16"), QStringLiteral("32")})
        icon.addPixmap(QPixmap::fromImage(ReadArtwork(QStringLiteral(":/shell/icon%1.png").arg(size))));
    setWindowIcon(icon);

    m_files = new FileCommands(*this);
    createControls();
    createMenus();
    m_session = new EditorSession(recentMenu, this);
    m_availability = new CommandAvailability(*this);
    createStatusBar();
    connectHandlers();
    assignKeysAndTips();
    Form_Load();
}

frmMain::~frmMain()
{
    // The document is a child, deleted after this window has stopped being one: its last
    // signals must not reach the window's handlers.
    m_document->disconnect(this);
    m_document->undoGroup()->disconnect(this);
}

void frmMain::Form_Load() { SetControlsEnabled(this, false); }

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
        // Some also wait for a step, a track or room.
        const bool on = enabled && form->m_availability->allows(control);
        if (auto *action = qobject_cast<QAction *>(control))
            action->setEnabled(on);
        else if (auto *widget = qobject_cast<QWidget *>(control))
            widget->setEnabled(on);
    }
}

void frmMain::mnuExit_Click() { close(); }

// Exit and the close box end the program, once unsaved edits were saved or let go.
void frmMain::closeEvent(QCloseEvent *event) { event->setAccepted(m_files->confirmUnsavedEdits()); }

void frmMain::mnuAbout_Click() { showAbout(this); }

} // namespace whoopline::shell
