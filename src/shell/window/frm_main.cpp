#include "shell/window/frm_main.h"

#include "shell/actions/command_availability.h"
#include "shell/actions/file_commands.h"
#include "shell/actions/session_commands.h"
#include "shell/actions/stretch_commands.h"
#include "shell/actions/track_commands.h"
#include "shell/actions/view_commands.h"
#include "shell/dialogs/frm_object_selector.h"
#include "shell/dialogs/standard_dialogs.h"
#include "shell/session/editor_session.h"
#include "shell/trackview/overview_strip.h"
#include "shell/trackview/picture_box.h"
#include "shell/window/app_fonts.h"
#include "shell/window/artwork_reader.h"
#include "shell/window/deferred_icon_style.h"
#include "shell/window/rectangle_shape.h"
#include "shell/window/window_status_bar.h"

#include <QAction>
#include <QCloseEvent>
#include <QIcon>
#include <QPixmap>
#include <QUndoGroup>

namespace whoopline::shell {

frmMain::frmMain(QWidget *parent)
    : QMainWindow(parent), m_document(new document::ImageDocument(this))
{
    // Open starts in the open image's folder, else in the one of the image opened last.
    chooseImageFile = [this](QWidget *parent) {
        return chooseRomFile(parent, session().openFolder(document().path()));
    };
    runObjectSelector = [this](QWidget *parent) {
        return RunObjectSelector(parent, m_selector, document().graphics().picGFX,
                                       document().path());
    };
    registerFontFamilies();
    useDeferredIconStyle();
    setFont(windowFont());
    setWindowTitle(Caption);
    QIcon icon;
    for (const QString &size : {QStringLiteral("16"), QStringLiteral("32")})
        icon.addPixmap(QPixmap::fromImage(ReadArtwork(QStringLiteral(":/shell/icon%1.png").arg(size))));
    setWindowIcon(icon);

    m_files = new FileCommands(*this);
    createControls();
    createMenus();
    m_session = new EditorSession(recentMenu, this);
    m_availability = new CommandAvailability(*this);
    m_statusBar = new WindowStatusBar(*this);
    connectHandlers();
    viewCommands = new ViewCommands(*this, [this] { RenderTrack(); });
    assignKeysAndTips();
    sessionCommands = new SessionCommands(*this);
    new TrackCommands(*this);
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
    if (auto *form = qobject_cast<frmMain *>(window))
        form->m_availability->switchAll(enabled);
}

void frmMain::mnuExit_Click() { close(); }

// Exit and the close box end the program, once unsaved edits were saved or let go.
void frmMain::closeEvent(QCloseEvent *event) { event->setAccepted(m_files->confirmUnsavedEdits()); }

void frmMain::mnuAbout_Click() { showAbout(this); }

} // namespace whoopline::shell
