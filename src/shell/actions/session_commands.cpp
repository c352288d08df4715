#include "shell/actions/session_commands.h"

#include "shell/dialogs/frm_preferences.h"
#include "shell/session/editor_session.h"
#include "shell/window/frm_main.h"

#include <QAction>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QStatusBar>

namespace whoopline::shell {

namespace {

constexpr int MessageMilliseconds = 10000;

} // namespace

SessionCommands::SessionCommands(frmMain &window)
    : QObject(&window), showPreferences([this](QWidget *parent) {
          return shell::showPreferences(parent, m_window.session().settings(), false);
      }),
      m_window(window)
{
    mnuPlayTest = new QAction(QStringLiteral("P&lay Test"), window.fileMenu);
    mnuPlayTest->setObjectName(QStringLiteral("mnuPlayTest"));
    mnuPlayTest->setShortcut(Qt::Key_F5);
    window.fileMenu->insertAction(window.mnuFileLine1, mnuPlayTest);
    // Play Test needs an image; Preferences works without one.
    window.registerControl(mnuPlayTest);
    window.registerControl(window.editMenu->addSeparator());
    mnuPreferences = window.editMenu->addAction(QStringLiteral("Pre&ferences..."));
    mnuPreferences->setObjectName(QStringLiteral("mnuPreferences"));
    connect(mnuPlayTest, &QAction::triggered, this, &SessionCommands::playTest);
    connect(mnuPreferences, &QAction::triggered, this, &SessionCommands::preferences);

    RecentFilesMenu &recent = window.session().recentFiles();
    connect(&recent, &RecentFilesMenu::openRequested, this, [this](const QString &path) {
        m_window.OpenGivenFile(path, m_window.session().settings().get(Settings::RecentTracks).value(path).toInt());
    });
    // Kept as the shown track changes, not at every edit of it.
    connect(&window.document(), &document::ImageDocument::trackChanged, this, [this](int track) {
        const document::ImageDocument &doc = m_window.document();
        EditorSettings &settings = m_window.session().settings();
        QVariantMap tracks = settings.get(Settings::RecentTracks);
        if (track != doc.shownTrack() || tracks.value(doc.path()).toInt() == track)
            return;
        tracks.insert(doc.path(), track);
        for (const QString &path : tracks.keys()) // only the recent images are remembered
            if (!settings.get(Settings::RecentFiles).contains(path))
                tracks.remove(path);
        settings.set(Settings::RecentTracks, tracks);
    });
    connect(&recent, &RecentFilesMenu::reported, this, &SessionCommands::warn);
    connect(&window.session().launcher(), &PlayTestLauncher::emulatorEnded, this,
            &SessionCommands::warn);

    const document::ImageDocument &doc = window.document();
    connect(&doc, &document::ImageDocument::opened, this, &SessionCommands::imageOpened);
    // Save As makes the file it wrote the open image.
    connect(&doc, &document::ImageDocument::pathChanged, this, &SessionCommands::imageOpened);
    // Any menu command may have saved a setting; told once the command is over.
    connect(window.menuBar(), &QMenuBar::triggered, this, &SessionCommands::tellSettingsTrouble,
            Qt::QueuedConnection);
    window.installEventFilter(this);
}

bool SessionCommands::eventFilter(QObject *watched, QEvent *event)
{
    // A settings file that could not be read is told as soon as there is a window to tell it in.
    if (watched == &m_window && event->type() == QEvent::Show)
        tellSettingsTrouble();
    return false;
}

void SessionCommands::imageOpened()
{
    m_window.session().imageOpened(m_window.document().path());
    tellSettingsTrouble();
}

void SessionCommands::tellSettingsTrouble()
{
    if (const QString text = m_window.session().settings().takeStatusText(); !text.isEmpty())
        m_window.statusBar()->showMessage(text, MessageMilliseconds);
}

void SessionCommands::warn(const QString &text)
{
    m_window.showMessage(&m_window, QMessageBox::Warning, QStringLiteral("Whoopline"), text);
}

void SessionCommands::preferences() { showPreferences(&m_window); }

void SessionCommands::playTest()
{
    const document::ImageDocument &doc = m_window.document();
    if (!doc.isOpen())
        return;
    const Result<document::SavedImage> image = doc.imageAsSaved();
    if (!image) {
        warn(image.error());
        return;
    }
    const int track = doc.hasTrack() ? doc.shownTrack() : m_window.scrLoadTrack->value();
    const Result<QString> started =
        m_window.session().playTest(&m_window, image->bytes, doc.path(), track);
    if (!started)
        warn(started.error());
    else if (!started->isEmpty())
        m_window.statusBar()->showMessage(*started, MessageMilliseconds);
}

} // namespace whoopline::shell
