#include "shell/actions/view_controller.h"

#include "document/image_document.h"
#include "edit/object_details.h"
#include "edit/object_selection.h"
#include "shell/actions/action_making.h"
#include "shell/docks/palette_dock.h"
#include "shell/session/editor_session.h"
#include "shell/trackview/track_overview_widget.h"
#include "view/strip_layout.h"

#include <QAction>
#include <QDockWidget>
#include <QMainWindow>
#include <QStyle>
#include <QUndoView>

namespace whoopline::shell {

ViewController::ViewController(const ActionContext &context, TrackOverviewWidget *overview,
                               QObject *parent)
    : QObject(parent),
      mnuTrackOverview(makeAction(this, "mnuTrackOverview", QStringLiteral("Track &Overview"))),
      mnuMarkAlternative(makeAction(this, "mnuMarkAlternative", QStringLiteral("&Mark Alternative Objects"))),
      mnuResizableWindow(makeAction(this, "mnuResizableWindow", QStringLiteral("&Resizable Window"))),
      m_context(context), m_overview(overview), m_palette(new PaletteDock(context, this))
{
    mnuObjectPalette = m_palette->toggleAction();
    EditorSettings &settings = context.session.settings();
    mnuTrackOverview->setCheckable(true);
    mnuTrackOverview->setChecked(settings.get(Settings::TrackOverviewShown));
    overview->setVisible(mnuTrackOverview->isChecked());
    connect(mnuTrackOverview, &QAction::toggled, this, [this](bool on) {
        m_overview->setVisible(on);
        m_context.session.settings().set(Settings::TrackOverviewShown, on);
    });
    mnuMarkAlternative->setCheckable(true);
    mnuMarkAlternative->setChecked(settings.get(Settings::AlternativeMarksShown));
    connect(mnuMarkAlternative, &QAction::toggled, this, &ViewController::setMarks);
    // Off, the window is exactly as large as its controls; on, the track view takes its width.
    mnuResizableWindow->setCheckable(true);
    mnuResizableWindow->setChecked(settings.get(Settings::ResizableWindow));
    connect(mnuResizableWindow, &QAction::toggled, this, [this](bool on) {
        m_context.session.settings().set(Settings::ResizableWindow, on);
        emit resizableChanged(on);
    });
    makeHistory();

    const document::ImageDocument *doc = &context.document;
    connect(doc, &document::ImageDocument::opened, this, [this] {
        const rom::RomGraphics &graphics = m_context.document.graphics();
        m_tiles = std::make_shared<view::OverviewTiles>(
            view::MakeOverviewTiles(graphics.picBuffer, graphics.picGFX));
        drawOverviewAnew();
    });
    connect(doc, &document::ImageDocument::trackChanged, this, [this](int track) {
        if (track == m_context.document.shownTrack())
            drawOverviewAnew();
    });
    connect(doc, &document::ImageDocument::currentObjectChanged, this, &ViewController::showCurrent);
    // The run tinted in the overview: first..last, or a first above last for one object alone.
    connect(doc, &document::ImageDocument::selectionChanged, this, [this] {
        const edit::ObjectRun run = edit::SelectedRun(m_context.document.shownState());
        m_overview->setSelection(run.count > 1 ? run.first : 0, run.count > 1 ? run.last() : -1);
    });
    connect(overview, &TrackOverviewWidget::objectChosen, doc,
            [this](int index) { m_context.document.setCurrentObject(index); });
    overview->setDetails([this](int index) {
        const document::ImageDocument &doc = m_context.document;
        if (!doc.hasTrack())
            return QString();
        const track::TrackObjectList &objects = doc.track().TrackObjects;
        return edit::ObjectDetails(objects, view::TrackObjectLefts(objects), index,
                                   track::trackStartPosition(doc.shownTrack()));
    });
}

// The shown track's undo steps, the saved one marked; a click goes to that step. The group
// follows Load to the shown track's history.
void ViewController::makeHistory()
{
    QMainWindow &window = m_context.window;
    auto *history = new QDockWidget(QStringLiteral("History"), &window);
    history->setObjectName(QStringLiteral("dockHistory"));
    auto *steps = new QUndoView(m_context.document.undoGroup(), history);
    steps->setEmptyLabel(QStringLiteral("<as loaded>"));
    // The icon is read from its file when the dock first shows, not at every start.
    connect(history, &QDockWidget::visibilityChanged, steps, [steps](bool visible) {
        if (visible && steps->cleanIcon().isNull())
            steps->setCleanIcon(steps->style()->standardIcon(QStyle::SP_DialogSaveButton));
    });
    history->setWidget(steps);
    window.addDockWidget(Qt::RightDockWidgetArea, history);
    history->hide();
    mnuHistory = history->toggleViewAction();
    mnuHistory->setText(QStringLiteral("&History"));
    mnuHistory->setObjectName(QStringLiteral("mnuHistory"));
}

bool ViewController::marksAlternative() const { return mnuMarkAlternative->isChecked(); }

void ViewController::rememberPlaces() { m_palette->rememberPlace(); }

void ViewController::setViewWidth(int width)
{
    m_viewWidth = width;
    showCurrent();
}

void ViewController::setMarks(bool on)
{
    m_context.session.settings().set(Settings::AlternativeMarksShown, on);
    if (!m_context.document.hasTrack())
        return;
    emit marksChanged();
    drawOverviewAnew();
}

// After a load, an edit, an undo or a redo, and when the marks change.
void ViewController::drawOverviewAnew()
{
    const document::ImageDocument &doc = m_context.document;
    if (!doc.hasTrack() || !m_tiles) {
        m_overview->setDrawer({});
        m_overview->setCurrent(-1, 0);
        return;
    }
    // The picture stream is read again for every part drawn, as the track view reads it.
    m_overview->setDrawer([objects = doc.track().TrackObjects, tiles = m_tiles, path = doc.path(),
                           marks = marksAlternative()](qint64 from, qint64 to) {
        const auto stream = view::PictureStream::read(path);
        return view::DrawTrackOverview(
            objects, *tiles, stream ? std::optional(*stream) : std::nullopt, marks, from, to);
    });
    showCurrent();
}

void ViewController::showCurrent()
{
    const document::ImageDocument &doc = m_context.document;
    m_overview->setCurrent(doc.hasTrack() ? doc.track().CurrentObject : -1, m_viewWidth);
}

} // namespace whoopline::shell
