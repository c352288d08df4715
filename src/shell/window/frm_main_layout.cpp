#include "shell/window/frm_main.h"

#include "document/image_document.h"
#include "shell/actions/edit_controller.h"
#include "shell/actions/file_controller.h"
#include "shell/actions/session_controller.h"
#include "shell/actions/track_controller.h"
#include "shell/actions/view_controller.h"
#include "shell/trackview/track_overview_widget.h"
#include "shell/trackview/track_view_widget.h"
#include "shell/window/app_fonts.h"
#include "shell/window/artwork_reader.h"
#include "shell/window/client_area.h"
#include "shell/window/rectangle_shape.h"
#include "shell/window/whole_area_check_box.h"
#include "shell/window/window_controls.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QVBoxLayout>

namespace whoopline::shell {

namespace {

constexpr QSize ClientSize(529, 351);
constexpr int SpecifiedTrackViewWidth = 512;
const QColor TrackViewBackground(64, 64, 64);

constexpr int LapsMinimum = 1;
constexpr int LapsMaximum = 255;
constexpr int TrackNumberMinimum = 1;
constexpr int TrackNumberMaximum = 5;

} // namespace

template <typename T> T *frmMain::addControl(T *control, const char *name)
{
    control->setObjectName(QString::fromLatin1(name));
    m_controls.push_back(control);
    return control;
}

void frmMain::createControls()
{
    // The client area keeps its place and size; the overview takes the window's width under it,
    // and the window grows by the overview's height while it shows.
    auto *area = new QWidget(this);
    auto *column = new QVBoxLayout(area);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    auto *client = m_client = new ClientArea(area);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(ClientSize);
    column->addWidget(client);
    m_overview = new TrackOverviewWidget(area);
    m_overview->setObjectName(QStringLiteral("overview"));
    column->addWidget(m_overview);
    column->addStretch(); // a taller resizable window leaves its room to the docks
    setCentralWidget(area);

    picTrack = addControl(new TrackViewWidget(document(), client), "picTrack");
    picTrack->setGeometry(8, 8, 512, 256);
    picTrack->setBackgroundColour(TrackViewBackground);
    picTrack->setPicture(ReadArtwork(QStringLiteral(":/shell/title.png")));

    shpSelect = addControl(picTrack->marker(), "shpSelect");
    shpSelect->setGeometry(0, 0, 16, 256);

    m_navigation = {addControl(makeButton("|<", {8, 272, 25, 25}, client), "btnPrevBeginning"),
                    addControl(makeButton("<<", {32, 272, 25, 25}, client), "btnPrev10"),
                    addControl(makeButton("<", {56, 272, 25, 25}, client), "btnPrev"),
                    addControl(makeButton(">", {448, 272, 25, 25}, client), "btnNext"),
                    addControl(makeButton(">>", {472, 272, 25, 25}, client), "btnNext10"),
                    addControl(makeButton(">|", {496, 272, 25, 25}, client), "btnNextEnd")};

    lblGeneral[0] = addControl(makeCaptionLabel("Load Track:", captionFont(), {8, 304, 97, 17}, client),
                               "lblGeneral_0");
    lblGeneral[1] = addControl(
        makeCaptionLabel("Current Object:", captionFont(), {136, 304, 97, 17}, client), "lblGeneral_1");
    lblCurrentObject = addControl(makeValueLabel({232, 304, 41, 17}, client), "lblCurrentObject");
    btnCurrentObject = addControl(makeButton("...", {264, 304, 17, 17}, client), "btnCurrentObject");
    lblGeneral[2] = addControl(makeCaptionLabel("Length:", windowFont(), {296, 304, 65, 17}, client),
                               "lblGeneral_2");
    lblLength = addControl(makeValueLabel({336, 304, 41, 17}, client), "lblLength");
    lblGeneral[3] =
        addControl(makeCaptionLabel("Number of Laps:", captionFont(), {384, 304, 137, 17}, client),
                   "lblGeneral_3");

    txtLaps = addControl(makeNumberBox(QString(), {392, 320, 33, 21}, client), "txtLaps");
    scrLaps = addControl(makeSpinBar(LapsMinimum, LapsMaximum, {429, 320, 17, 19}, client), "scrLaps");
    txtLoadTrack = addControl(makeNumberBox("1", {16, 324, 33, 21}, client), "txtLoadTrack");
    scrLoadTrack = addControl(
        makeSpinBar(TrackNumberMinimum, TrackNumberMaximum, {53, 324, 17, 19}, client), "scrLoadTrack");
    btnLoadTrack = addControl(makeButton("Load", {80, 324, 41, 19}, client), "btnLoadTrack");

    chkAlternative = addControl(
        new WholeAreaCheckBox(QStringLiteral("Appear only in alternative track."), client),
        "chkAlternative");
    chkAlternative->setGeometry(144, 324, 201, 17);
}

// Every menu, its items in order and their keys, in one place; the controllers own the items
// they act on, the window the ones it was built with.
void frmMain::createMenus()
{
    const auto addMenu = [this](const QString &title, const char *name) {
        QMenu *menu = menuBar()->addMenu(title);
        menu->setFont(windowFont());
        menu->menuAction()->setObjectName(QString::fromLatin1(name));
        return menu;
    };
    const auto add = [](QMenu *menu, QAction *item, const QKeySequence &key = {}) {
        menu->addAction(item);
        item->setShortcut(key);
        return item;
    };

    QMenu *file = addMenu(QStringLiteral("&File"), "mnuFile");
    mnuFile = addControl(file->menuAction(), "mnuFile");
    mnuOpen = addControl(add(file, new QAction(QStringLiteral("&Open ROM File..."), this), QKeySequence::Open), "mnuOpen");
    file->addMenu(m_recentMenu);
    m_recentMenu->setFont(windowFont());
    mnuSave = addControl(add(file, new QAction(QStringLiteral("&Save ROM File"), this), QKeySequence::Save), "mnuSave");
    add(file, m_files->mnuSaveAs);
    add(file, m_files->mnuRevert);
    add(file, m_files->mnuExportTrack);
    add(file, m_files->mnuCreatePatch);
    add(file, m_files->mnuExportTrackFile);
    add(file, m_files->mnuImportTrackFile);
    add(file, m_sessionActions->mnuPlayTest, Qt::Key_F5);
    mnuFileLine1 = addControl(file->addSeparator(), "mnuFileLine1");
    mnuExit = addControl(add(file, new QAction(QStringLiteral("&Exit"), this), QKeySequence::Quit), "mnuExit");

    QMenu *edit = addMenu(QStringLiteral("&Edit"), "mnuEdit");
    edit->setToolTipsVisible(true); // why Insert Object is off
    // Their texts name the step they take: "Undo Replace Object".
    add(edit, m_edits->mnuUndo, QKeySequence::Undo);
    m_edits->mnuUndo->setShortcuts(QKeySequence::Undo);
    add(edit, m_edits->mnuRedo);
    m_edits->mnuRedo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    edit->addSeparator();
    add(edit, m_edits->mnuInsert, Qt::Key_Insert);
    add(edit, m_edits->mnuDelete, Qt::Key_Delete);
    add(edit, m_edits->mnuSetLaps, Qt::CTRL | Qt::Key_L);
    edit->addSeparator();
    add(edit, m_edits->mnuCut, QKeySequence::Cut);
    add(edit, m_edits->mnuCopy, QKeySequence::Copy);
    add(edit, m_edits->mnuPaste, QKeySequence::Paste);
    add(edit, m_edits->mnuDuplicate, Qt::CTRL | Qt::Key_D);
    add(edit, m_edits->mnuMoveLeft, Qt::ALT | Qt::Key_Left);
    add(edit, m_edits->mnuMoveRight, Qt::ALT | Qt::Key_Right);
    edit->addSeparator();
    add(edit, m_edits->mnuSelectAll, QKeySequence::SelectAll);
    add(edit, m_edits->mnuGoToObject, Qt::CTRL | Qt::Key_G);
    add(edit, m_edits->mnuFindNextMarked, Qt::Key_F3);
    add(edit, m_edits->mnuFindPreviousMarked, Qt::SHIFT | Qt::Key_F3);
    edit->addSeparator();
    add(edit, m_sessionActions->mnuPreferences);

    QMenu *track = addMenu(QStringLiteral("&Track"), "mnuTrackMenu");
    for (int index = 0; index < int(m_tracks->mnuTrack.size()); ++index)
        add(track, m_tracks->mnuTrack[index], QKeySequence(Qt::CTRL | (Qt::Key_1 + index)));
    track->addSeparator();
    add(track, m_tracks->mnuNextTrack, Qt::CTRL | Qt::Key_PageDown);
    add(track, m_tracks->mnuPreviousTrack, Qt::CTRL | Qt::Key_PageUp);

    QMenu *view = addMenu(QStringLiteral("&View"), "mnuView");
    add(view, m_view->mnuTrackOverview);
    add(view, m_view->mnuMarkAlternative);
    add(view, m_view->mnuResizableWindow);
    add(view, m_view->mnuHistory);
    add(view, m_view->mnuObjectPalette);

    QMenu *help = addMenu(QStringLiteral("&Help"), "mnuHelp");
    mnuHelp = addControl(help->menuAction(), "mnuHelp");
    mnuAbout = addControl(add(help, new QAction(QStringLiteral("&About"), this)), "mnuAbout");
    menuBar()->setFont(windowFont());
}

void frmMain::assignKeysAndTips()
{
    assignNavigationKeys(this, m_navigation);
    // Shift with a navigation key stretches the run as that key's button steps: nothing while the
    // button is disabled.
    const std::pair<int, Qt::Key> runKeys[] = {{0, Qt::Key_Home}, {2, Qt::Key_Left}, {3, Qt::Key_Right}, {5, Qt::Key_End}};
    for (const auto &[button, key] : runKeys) {
        auto *shortcut = new QShortcut(QKeySequence(Qt::SHIFT | key), this);
        connect(shortcut, &QShortcut::activated, this, [this, button = button] {
            if (m_navigation[button]->isEnabled())
                Navigate(view::NavigationButton(button), true);
        });
    }
    btnCurrentObject->setToolTip(
        QStringLiteral("Replace the current object (or double-click it in the track view)"));
    btnLoadTrack->setToolTip(QStringLiteral("Load the chosen track"));
}

void frmMain::connectHandlers()
{
    connect(mnuOpen, &QAction::triggered, this, &frmMain::mnuOpen_Click);
    connect(mnuSave, &QAction::triggered, this, &frmMain::mnuSave_Click);
    connect(mnuExit, &QAction::triggered, this, &frmMain::mnuExit_Click);
    connect(mnuAbout, &QAction::triggered, this, &frmMain::mnuAbout_Click);
    for (int button = 0; button < int(m_navigation.size()); ++button)
        connect(m_navigation[button], &QPushButton::clicked, this,
                [this, button] { Navigate(view::NavigationButton(button)); });
    connect(btnCurrentObject, &QPushButton::clicked, this, &frmMain::btnCurrentObject_Click);
    connect(btnLoadTrack, &QPushButton::clicked, this, &frmMain::btnLoadTrack_Click);
    // Connected after the bars are set up, so the laps box stays empty until a track is loaded.
    connect(scrLoadTrack, &QScrollBar::valueChanged, this, &frmMain::scrLoadTrack_Change);
    connect(scrLaps, &QScrollBar::valueChanged, this, &frmMain::scrLaps_Change);
    // Only the user's click toggles the mark; the editor setting the box is not a click.
    connect(chkAlternative, &QCheckBox::clicked, this, &frmMain::chkAlternative_Click);

    document::ImageDocument *doc = m_document;
    connect(picTrack, &TrackViewWidget::objectChosen, doc, [doc](int index) { doc->setCurrentObject(index); });
    connect(picTrack, &TrackViewWidget::runExtended, doc, [doc](int index) { doc->setCurrentObject(index, true); });
    connect(picTrack, &TrackViewWidget::replaceRequested, btnCurrentObject, &QPushButton::click);
    connect(picTrack, &TrackViewWidget::objectsDropped, this, [this](int before, const QByteArray &objectBytes) {
        if (const Status done = document().insertObjects(before, objectBytes); !done)
            warn(done.error());
    });
    connect(m_tracks, &TrackController::loadRequested, this, &frmMain::loadTrack);
    connect(m_sessionActions, &SessionController::openRequested, this, &frmMain::OpenGivenFile);
    connect(m_view, &ViewController::marksChanged, this, &frmMain::RenderTrack);
    connect(m_view, &ViewController::resizableChanged, this, &frmMain::setResizable);
    connect(m_client, &ClientArea::widthChanged, this, [this](int width) {
        // The track view keeps its margins; every other control keeps its place.
        picTrack->resize(width - (ClientSize.width() - SpecifiedTrackViewWidth), picTrack->height());
        m_view->setViewWidth(picTrack->width());
        RenderTrack();
    });
    m_view->setViewWidth(picTrack->width());
    setResizable(m_view->mnuResizableWindow->isChecked());
}

// Fixed, the window is as large as its menu bar, client area and overview, as specified, and
// offers no Maximize button that would do nothing; resizable, the client area widens with it.
void frmMain::setResizable(bool resizable)
{
    const bool shown = isVisible();
    layout()->setSizeConstraint(resizable ? QLayout::SetDefaultConstraint : QLayout::SetFixedSize);
    m_client->setMinimumSize(ClientSize);
    m_client->setMaximumSize(resizable ? QWIDGETSIZE_MAX : ClientSize.width(), ClientSize.height());
    m_client->setSizePolicy(resizable ? QSizePolicy::Expanding : QSizePolicy::Fixed, QSizePolicy::Fixed);
    if (resizable) // the fixed constraint's maximum stays until it is lifted
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    if (!resizable && isMaximized())
        showNormal();
    // Changed only when it changes: a change of flags makes the window anew.
    if (windowFlags().testFlag(Qt::WindowMaximizeButtonHint) != resizable)
        setWindowFlag(Qt::WindowMaximizeButtonHint, resizable);
    if (shown)
        show(); // a change of flags hides the window
}

} // namespace whoopline::shell
