#include "shell/actions/session_controller.h"

#include "document/image_document.h"
#include "shell/actions/action_making.h"
#include "shell/dialogs/window_dialogs.h"
#include "shell/session/editor_session.h"

#include <QAction>
#include <QMainWindow>
#include <QMenuBar>

namespace whoopline::shell {

namespace {

constexpr int MessageMilliseconds = 10000;

} // namespace

SessionController::SessionController(const ActionContext &context, std::function<int()> chosenTrack,
                                     QObject *parent)
    : QObject(parent), mnuPlayTest(makeAction(this, "mnuPlayTest", QStringLiteral("P&lay Test"))),
      mnuPreferences(makeAction(this, "mnuPreferences", QStringLiteral("Pre&ferences..."))),
      m_context(context), m_chosenTrack(std::move(chosenTrack))
{
    connect(mnuPlayTest, &QAction::triggered, this, &SessionController::playTest);
    connect(mnuPreferences, &QAction::triggered, this, [this] {
        m_context.dialogs.editPreferences(&m_context.window, m_context.session.settings());
    });

    EditorSession &session = context.session;
    connect(&session.recentFiles(), &RecentFilesMenu::openRequested, this, [this](const QString &path) {
        emit openRequested(path, m_context.session.settings().get(Settings::RecentTracks).value(path).toInt());
    });
    connect(&session.recentFiles(), &RecentFilesMenu::reported, this, [this](const QString &text) { m_context.warn(text); });
    connect(&session.launcher(), &PlayTestLauncher::emulatorEnded, this, [this](const QString &text) { m_context.warn(text); });

    const document::ImageDocument &doc = context.document;
    // Kept as the shown track changes, not at every edit of it.
    connect(&doc, &document::ImageDocument::trackChanged, this, &SessionController::rememberTrack);
    connect(&doc, &document::ImageDocument::opened, this, &SessionController::imageOpened);
    // Save As makes the file it wrote the open image.
    connect(&doc, &document::ImageDocument::pathChanged, this, &SessionController::imageOpened);
    // Any menu command may have saved a setting; told once the command is over.
    connect(context.window.menuBar(), &QMenuBar::triggered, this, &SessionController::tellSettingsTrouble,
            Qt::QueuedConnection);
    // Play Test needs an image; Preferences works without one.
    followDocument(doc, this, [this] { mnuPlayTest->setEnabled(m_context.document.isOpen()); });
}

void SessionController::rememberTrack(int track)
{
    const document::ImageDocument &doc = m_context.document;
    EditorSettings &settings = m_context.session.settings();
    QVariantMap tracks = settings.get(Settings::RecentTracks);
    if (track != doc.shownTrack() || tracks.value(doc.path()).toInt() == track)
        return;
    tracks.insert(doc.path(), track);
    for (const QString &path : tracks.keys()) // only the recent images are remembered
        if (!settings.get(Settings::RecentFiles).contains(path))
            tracks.remove(path);
    settings.set(Settings::RecentTracks, tracks);
}

void SessionController::imageOpened()
{
    m_context.session.imageOpened(m_context.document.path());
    tellSettingsTrouble();
}

void SessionController::tellSettingsTrouble()
{
    if (const QString text = m_context.session.settings().takeStatusText(); !text.isEmpty())
        m_context.note(text, MessageMilliseconds);
}

void SessionController::playTest()
{
    const document::ImageDocument &doc = m_context.document;
    if (!doc.isOpen())
        return;
    const Result<document::SavedImage> image = doc.imageAsSaved();
    if (!image) {
        m_context.warn(image.error());
        return;
    }
    const int track = doc.hasTrack() ? doc.shownTrack() : m_chosenTrack();
    const Result<QString> started =
        m_context.session.playTest(&m_context.window, image->bytes, doc.path(), track);
    if (!started)
        m_context.warn(started.error());
    else if (!started->isEmpty())
        m_context.note(*started, MessageMilliseconds);
}

} // namespace whoopline::shell
