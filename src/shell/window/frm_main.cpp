#include "shell/window/frm_main.h"

#include "document/image_document.h"
#include "edit/track_file.h"
#include "shell/actions/edit_controller.h"
#include "shell/actions/file_controller.h"
#include "shell/actions/session_controller.h"
#include "shell/actions/track_controller.h"
#include "shell/actions/view_controller.h"
#include "shell/dialogs/frm_object_selector.h"
#include "shell/session/editor_session.h"
#include "shell/window/app_fonts.h"
#include "shell/window/artwork_reader.h"
#include "shell/window/deferred_icon_style.h"
#include "shell/window/file_drop.h"
#include "shell/window/rectangle_shape.h"
#include "shell/window/window_status_bar.h"

#include <QAction>
#include <QCloseEvent>
#include <QIcon>
#include <QMenu>
#include <QMimeData>
#include <QPixmap>
#include <QScrollBar>

namespace whoopline::shell {

frmMain::frmMain(WindowDialogs *dialogs, QWidget *parent)
    : QMainWindow(parent), m_dialogs(dialogs ? *dialogs : m_ownDialogs),
      m_document(new document::ImageDocument(this))
{
    // Open starts in the open image's folder, else in the one of the image opened last.
    if (!m_dialogs.chooseImageFile)
        m_dialogs.chooseImageFile = [this](QWidget *parent) {
            return chooseRomFile(parent, session().openFolder(document().path()));
        };
    if (!m_dialogs.runObjectSelector)
        m_dialogs.runObjectSelector = [this](QWidget *parent, const edit::ObjectChoice &shown) {
            return RunObjectSelector(parent, shown, document().graphics().picGFX, document().path());
        };
    registerFontFamilies();
    useDeferredIconStyle();
    setFont(windowFont());
    setWindowTitle(Caption);
    QIcon icon;
    for (const QString &size : {QStringLiteral("16"), QStringLiteral("32")})
        icon.addPixmap(QPixmap::fromImage(ReadArtwork(QStringLiteral(":/shell/icon%1.png").arg(size))));
    setWindowIcon(icon);
    setAcceptDrops(true); // image and track files

    m_recentMenu = new QMenu(QStringLiteral("Recent &Files"), this);
    m_recentMenu->setObjectName(QStringLiteral("mnuRecentFiles"));
    m_recentMenu->menuAction()->setObjectName(QStringLiteral("mnuRecentFiles"));
    m_session = new EditorSession(m_recentMenu, this);
    createControls();
    new WindowStatusBar(document(), statusBar());
    createControllers();
    createMenus();
    connectHandlers();
    assignKeysAndTips();
    showDocument();
    Form_Load();
}

frmMain::~frmMain()
{
    // The document is a child, deleted after this window has stopped being one: its last
    // signals must not reach the window's handlers.
    m_document->disconnect(this);
}

void frmMain::createControllers()
{
    m_context = std::make_unique<ActionContext>(ActionContext{document(), session(), m_dialogs, *this});
    m_files = new FileController(*m_context, this);
    m_edits = new EditController(*m_context, this);
    m_tracks = new TrackController(*m_context, this);
    m_view = new ViewController(*m_context, m_overview, this);
    m_sessionActions = new SessionController(*m_context, [this] { return scrLoadTrack->value(); }, this);
}

void frmMain::Form_Load() { SetControlsEnabled(this, false); }

// Every control of the window but the File and Help menus with Open, Exit and About.
void frmMain::SetControlsEnabled(QWidget *window, bool enabled)
{
    if (window != this)
        return;
    for (QObject *control : m_controls) {
        if (control == mnuOpen || control == mnuFile || control == mnuExit || control == mnuHelp ||
            control == mnuAbout)
            continue;
        if (auto *action = qobject_cast<QAction *>(control))
            action->setEnabled(enabled);
        // The marker is only a drawing: it has no enabled state.
        else if (auto *widget = qobject_cast<QWidget *>(control); widget && widget != shpSelect)
            widget->setEnabled(enabled);
    }
}

void frmMain::mnuExit_Click() { close(); }

// Exit and the close box end the program, once unsaved edits were saved or let go.
void frmMain::closeEvent(QCloseEvent *event)
{
    event->setAccepted(m_files->confirmUnsavedEdits());
    if (event->isAccepted())
        m_view->rememberPlaces();
}

// A settings file that could not be read is told as soon as there is a window to tell it in.
void frmMain::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    m_sessionActions->tellSettingsTrouble();
}

void frmMain::dragEnterEvent(QDragEnterEvent *event)
{
    if (SingleLocalFile(event->mimeData()).isEmpty())
        event->ignore();
    else
        event->acceptProposedAction();
}

// A track file goes into the shown track; any other file is opened as an image.
void frmMain::dropEvent(QDropEvent *event)
{
    const QString path = SingleLocalFile(event->mimeData());
    if (path.isEmpty())
        return event->ignore();
    event->acceptProposedAction();
    // Once the drop is over, so that a question does not hold up the drag's source.
    QMetaObject::invokeMethod(this, [this, path] {
        path.endsWith(edit::TrackFileSuffix) ? m_files->importTrackFile(path) : OpenGivenFile(path);
    }, Qt::QueuedConnection);
}

void frmMain::mnuAbout_Click() { m_dialogs.showAbout(this); }

} // namespace whoopline::shell
