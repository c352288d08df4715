#include "shell/actions/view_commands.h"

#include "edit/object_details.h"
#include "edit/object_selection.h"
#include "shell/session/editor_session.h"
#include "shell/trackview/overview_strip.h"
#include "shell/trackview/picture_box.h"
#include "shell/window/frm_main.h"
#include "view/strip_layout.h"

#include <QAction>
#include <QDockWidget>
#include <QKeyEvent>
#include <QPushButton>
#include <QStyle>
#include <QUndoView>
#include <QHelpEvent>
#include <QMenu>
#include <QToolTip>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace whoopline::shell {

ViewCommands::ViewCommands(frmMain &window, std::function<void()> redraw)
    : QObject(&window), m_window(window), m_trackView(window.picTrack), m_redraw(std::move(redraw))
{
    // The client area keeps its place and size; the overview takes the window's width under it,
    // and the window grows by the overview's height while it shows.
    QWidget *client = window.takeCentralWidget();
    auto *area = new QWidget(&window);
    auto *column = new QVBoxLayout(area);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(client);
    overview = new TrackOverview(area);
    overview->setObjectName(QStringLiteral("overview"));
    column->addWidget(overview);
    window.setCentralWidget(area);

    EditorSettings &settings = window.session().settings();
    mnuTrackOverview = window.viewMenu->addAction(QStringLiteral("Track &Overview"));
    mnuTrackOverview->setObjectName(QStringLiteral("mnuTrackOverview"));
    mnuTrackOverview->setCheckable(true);
    mnuTrackOverview->setChecked(settings.get(Settings::TrackOverviewShown));
    overview->setVisible(mnuTrackOverview->isChecked());
    connect(mnuTrackOverview, &QAction::toggled, this, [this](bool on) {
        overview->setVisible(on);
        m_window.session().settings().set(Settings::TrackOverviewShown, on);
    });
    mnuMarkAlternative = window.viewMenu->addAction(QStringLiteral("&Mark Alternative Objects"));
    mnuMarkAlternative->setObjectName(QStringLiteral("mnuMarkAlternative"));
    mnuMarkAlternative->setCheckable(true);
    mnuMarkAlternative->setChecked(settings.get(Settings::AlternativeMarksShown));
    connect(mnuMarkAlternative, &QAction::toggled, this, &ViewCommands::setMarks);

    // The shown track's undo steps, the saved one marked; a click goes to that step. The group
    // follows Load to the shown track's history.
    auto *history = new QDockWidget(QStringLiteral("History"), &window);
    history->setObjectName(QStringLiteral("dockHistory"));
    auto *steps = new QUndoView(window.document().undoGroup(), history);
    steps->setEmptyLabel(QStringLiteral("<as loaded>"));
    steps->setCleanIcon(window.style()->standardIcon(QStyle::SP_DialogSaveButton));
    history->setWidget(steps);
    window.addDockWidget(Qt::RightDockWidgetArea, history);
    history->hide();
    QAction *showHistory = history->toggleViewAction();
    showHistory->setText(QStringLiteral("&History"));
    showHistory->setObjectName(QStringLiteral("mnuHistory"));
    window.viewMenu->addAction(showHistory);

    const document::ImageDocument *doc = &window.document();
    connect(doc, &document::ImageDocument::opened, this, [this] {
        const rom::RomGraphics &graphics = m_window.document().graphics();
        m_tiles = std::make_shared<view::OverviewTiles>(
            view::MakeOverviewTiles(graphics.picBuffer, graphics.picGFX));
        drawOverviewAnew();
    });
    connect(doc, &document::ImageDocument::trackChanged, this, [this](int track) {
        if (track == m_window.document().shownTrack())
            drawOverviewAnew();
    });
    connect(doc, &document::ImageDocument::currentObjectChanged, this, &ViewCommands::showCurrent);
    // The run tinted in the overview: first..last, or a first above last for one object alone.
    connect(doc, &document::ImageDocument::selectionChanged, this, [this] {
        const edit::ObjectRun run = edit::SelectedRun(m_window.document().shownState());
        overview->setSelection(run.count > 1 ? run.first : 0, run.count > 1 ? run.last() : -1);
    });
    connect(overview, &TrackOverview::objectChosen, doc,
            [this](int index) { m_window.document().setCurrentObject(index); });
    overview->setDetails([this](int index) { return detailsOf(index); });
    window.picTrack->installEventFilter(this);
}

bool ViewCommands::marksAlternative() const
{
    return mnuMarkAlternative->isChecked();
}

void ViewCommands::setMarks(bool on)
{
    m_window.session().settings().set(Settings::AlternativeMarksShown, on);
    if (!m_window.document().hasTrack())
        return;
    m_redraw();
    drawOverviewAnew();
}

// After a load, an edit, an undo or a redo, and when the marks change.
void ViewCommands::drawOverviewAnew()
{
    const document::ImageDocument &doc = m_window.document();
    if (!doc.hasTrack() || !m_tiles) {
        overview->setDrawer({});
        overview->setCurrent(-1, 0);
        return;
    }
    // The picture stream is read again for every part drawn, as the track view reads it.
    overview->setDrawer([objects = doc.track().TrackObjects, tiles = m_tiles, path = doc.path(),
                         marks = marksAlternative()](qint64 from, qint64 to) {
        const auto stream = view::PictureStream::read(path);
        return view::DrawTrackOverview(
            objects, *tiles, stream ? std::optional(*stream) : std::nullopt, marks, from, to);
    });
    showCurrent();
}

void ViewCommands::showCurrent()
{
    const document::ImageDocument &doc = m_window.document();
    overview->setCurrent(doc.hasTrack() ? doc.track().CurrentObject : -1,
                         m_window.picTrack->width());
}

QString ViewCommands::detailsOf(int index) const
{
    const document::ImageDocument &doc = m_window.document();
    if (!doc.hasTrack())
        return {};
    const track::TrackObjectList &objects = doc.track().TrackObjects;
    return edit::ObjectDetails(objects, view::TrackObjectLefts(objects), index,
                               track::trackStartPosition(doc.shownTrack()));
}

// Down or right moves towards the track's end, one object a notch, ten with tenfold.
bool ViewCommands::turnWheel(int angleDelta, bool tenfold)
{
    const int notches = -m_notches.take(angleDelta);
    const track::TrackModel &shown = m_window.document().track();
    if (notches != 0 && shown.isLoaded())
        m_window.document().setCurrentObject(
            view::WheelStep(shown.CurrentObject, shown.lastIndex(), notches, tenfold));
    return true;
}

bool ViewCommands::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_trackView || !m_trackView->isEnabled())
        return false;
    if (event->type() == QEvent::Wheel) {
        const auto *wheel = static_cast<QWheelEvent *>(event);
        // A sideways wheel, or Shift turning the wheel sideways as some systems do, counts too.
        const QPoint delta = wheel->angleDelta();
        return turnWheel(delta.y() != 0 ? delta.y() : delta.x(),
                         wheel->modifiers() & Qt::ShiftModifier);
    }
    // Clicked, the view has the keys: Enter opens the Object Selector on the current object.
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            m_window.btnCurrentObject->click();
        return key == Qt::Key_Return || key == Qt::Key_Enter;
    }
    if (event->type() == QEvent::ToolTip) {
        const auto *help = static_cast<QHelpEvent *>(event);
        const track::TrackModel &shown = m_window.document().track();
        const int index = shown.isLoaded() ? view::ObjectAtStripX(shown, help->pos().x()) : -1;
        const QString text = index >= 0 ? detailsOf(index) : QString();
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), text, m_window.picTrack);
        return true;
    }
    return false;
}

} // namespace whoopline::shell
