#include "shell/window/frm_main.h"

#include "edit/track_file.h"

#include "shell/actions/file_commands.h"
#include "shell/actions/stretch_commands.h"
#include "shell/trackview/picture_box.h"
#include "shell/window/app_fonts.h"
#include "shell/window/artwork_reader.h"
#include "shell/window/file_drop.h"
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
#include <QUndoGroup>

namespace whoopline::shell {

namespace {

constexpr QSize ClientSize(529, 351);
const QColor TrackViewBackground(64, 64, 64);
const QColor MarkerColour(0, 255, 0);

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

void frmMain::addSwitchedControl(QObject *control, const char *name) { addControl(control, name); }

void frmMain::createControls()
{
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(ClientSize);
    setCentralWidget(client);
    // The window is as large as its menu bar and client area, and the user cannot resize it.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    // A window of fixed size offers no Maximize button that would do nothing.
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);

    picTrack = addControl(new PictureBox(client), "picTrack");
    picTrack->setGeometry(8, 8, 512, 256);
    picTrack->setBackgroundColour(TrackViewBackground);
    picTrack->setPicture(ReadArtwork(QStringLiteral(":/shell/title.png")));
    picTrack->setFocusPolicy(Qt::ClickFocus); // for Enter, which opens the Object Selector

    shpSelect = addControl(new RectangleShape(picTrack), "shpSelect");
    shpSelect->setGeometry(0, 0, 16, 256);
    shpSelect->setBorderColour(MarkerColour);
    shpSelect->hide();

    btnPrevBeginning = addControl(makeButton("|<", {8, 272, 25, 25}, client), "btnPrevBeginning");
    btnPrev10 = addControl(makeButton("<<", {32, 272, 25, 25}, client), "btnPrev10");
    btnPrev = addControl(makeButton("<", {56, 272, 25, 25}, client), "btnPrev");
    btnNext = addControl(makeButton(">", {448, 272, 25, 25}, client), "btnNext");
    btnNext10 = addControl(makeButton(">>", {472, 272, 25, 25}, client), "btnNext10");
    btnNextEnd = addControl(makeButton(">|", {496, 272, 25, 25}, client), "btnNextEnd");

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

void frmMain::createMenus()
{
    fileMenu = menuBar()->addMenu(QStringLiteral("&File"));
    mnuFile = addControl(fileMenu->menuAction(), "mnuFile");
    mnuOpen = addControl(fileMenu->addAction(QStringLiteral("&Open ROM File...")), "mnuOpen");
    recentMenu = fileMenu->addMenu(QStringLiteral("Recent &Files"));
    mnuSave = addControl(fileMenu->addAction(QStringLiteral("&Save ROM File")), "mnuSave");
    mnuSaveAs = addControl(fileMenu->addAction(QStringLiteral("Save ROM File &As...")), "mnuSaveAs");
    mnuRevert = addControl(fileMenu->addAction(QStringLiteral("&Revert")), "mnuRevert");
    mnuExportTrack = addControl(
        fileMenu->addAction(QStringLiteral("Export &Track Picture...")), "mnuExportTrack");
    mnuCreatePatch =
        addControl(fileMenu->addAction(QStringLiteral("Create &Patch...")), "mnuCreatePatch");
    mnuExportTrackFile = addControl(fileMenu->addAction(QStringLiteral("Export Trac&k...")), "mnuExportTrackFile");
    mnuImportTrackFile = addControl(fileMenu->addAction(QStringLiteral("&Import Track...")), "mnuImportTrackFile");
    mnuFileLine1 = addControl(fileMenu->addSeparator(), "mnuFileLine1");
    mnuExit = addControl(fileMenu->addAction(QStringLiteral("&Exit")), "mnuExit");
    mnuExit->setShortcut(QKeySequence::Quit);

    editMenu = menuBar()->addMenu(QStringLiteral("&Edit"));
    mnuEdit = addControl(editMenu->menuAction(), "mnuEdit");
    // Their texts name the step they take: "Undo Replace Object".
    mnuUndo = addControl(editMenu->addAction(QStringLiteral("&Undo")), "mnuUndo");
    mnuUndo->setShortcuts(QKeySequence::Undo);
    mnuRedo = addControl(editMenu->addAction(QStringLiteral("&Redo")), "mnuRedo");
    mnuRedo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    mnuEditLine1 = addControl(editMenu->addSeparator(), "mnuEditLine1");
    mnuInsert = addControl(editMenu->addAction(QStringLiteral("&Insert Object")), "mnuInsert");
    mnuInsert->setShortcut(Qt::Key_Insert);
    mnuDelete = addControl(editMenu->addAction(QStringLiteral("&Delete Object")), "mnuDelete");
    mnuDelete->setShortcut(Qt::Key_Delete);
    mnuSetLaps = addControl(editMenu->addAction(QStringLiteral("Set &Laps...")), "mnuSetLaps");
    mnuSetLaps->setShortcut(Qt::CTRL | Qt::Key_L);
    editMenu->setToolTipsVisible(true); // why Insert Object is off

    viewMenu = menuBar()->addMenu(QStringLiteral("&View"));

    QMenu *helpMenu = menuBar()->addMenu(QStringLiteral("&Help"));
    mnuHelp = addControl(helpMenu->menuAction(), "mnuHelp");
    mnuAbout = addControl(helpMenu->addAction(QStringLiteral("&About")), "mnuAbout");

    for (QMenu *menu : {fileMenu, recentMenu, editMenu, viewMenu, helpMenu})
        menu->setFont(windowFont());
    menuBar()->setFont(windowFont());
}

void frmMain::assignKeysAndTips()
{
    assignNavigationKeys(this, {btnPrevBeginning, btnPrev10, btnPrev, btnNext, btnNext10, btnNextEnd});
    mnuOpen->setShortcut(QKeySequence::Open);
    mnuSave->setShortcut(QKeySequence::Save);

    btnCurrentObject->setToolTip(
        QStringLiteral("Replace the current object (or double-click it in the track view)"));
    btnLoadTrack->setToolTip(QStringLiteral("Load the chosen track"));
}

void frmMain::connectHandlers()
{
    connect(mnuOpen, &QAction::triggered, this, &frmMain::mnuOpen_Click);
    connect(mnuSave, &QAction::triggered, this, &frmMain::mnuSave_Click);
    connect(mnuSaveAs, &QAction::triggered, m_files, &FileCommands::saveAs);
    connect(mnuRevert, &QAction::triggered, m_files, &FileCommands::revert);
    connect(mnuUndo, &QAction::triggered, document().undoGroup(), &QUndoGroup::undo);
    connect(mnuRedo, &QAction::triggered, document().undoGroup(), &QUndoGroup::redo);
    connect(mnuExit, &QAction::triggered, this, &frmMain::mnuExit_Click);
    connect(mnuAbout, &QAction::triggered, this, &frmMain::mnuAbout_Click);
    connect(mnuInsert, &QAction::triggered, this, &frmMain::mnuInsert_Click);
    connect(mnuDelete, &QAction::triggered, this, &frmMain::mnuDelete_Click);
    connect(mnuSetLaps, &QAction::triggered, this, &frmMain::mnuSetLaps_Click);

    connect(btnPrevBeginning, &QPushButton::clicked, this, &frmMain::btnPrevBeginning_Click);
    connect(btnPrev10, &QPushButton::clicked, this, &frmMain::btnPrev10_Click);
    connect(btnPrev, &QPushButton::clicked, this, &frmMain::btnPrev_Click);
    connect(btnNext, &QPushButton::clicked, this, &frmMain::btnNext_Click);
    connect(btnNext10, &QPushButton::clicked, this, &frmMain::btnNext10_Click);
    connect(btnNextEnd, &QPushButton::clicked, this, &frmMain::btnNextEnd_Click);
    connect(btnCurrentObject, &QPushButton::clicked, this, &frmMain::btnCurrentObject_Click);
    connect(btnLoadTrack, &QPushButton::clicked, this, &frmMain::btnLoadTrack_Click);

    // Connected after the bars are set up, so the laps box stays empty until a track is loaded.
    connect(scrLoadTrack, &QScrollBar::valueChanged, this, &frmMain::scrLoadTrack_Change);
    connect(scrLaps, &QScrollBar::valueChanged, this, &frmMain::scrLaps_Change);

    // Only the user's click toggles the mark; the editor setting the box is not a click.
    connect(chkAlternative, &QCheckBox::clicked, this, &frmMain::chkAlternative_Click);

    connect(picTrack, &PictureBox::clicked, this, &frmMain::picTrack_Click);
    connect(picTrack, &PictureBox::doubleClicked, this, &frmMain::picTrack_DblClick);

    connect(mnuExportTrack, &QAction::triggered, m_files, &FileCommands::exportTrackPicture);
    connect(mnuCreatePatch, &QAction::triggered, m_files, &FileCommands::createPatch);
    connect(mnuExportTrackFile, &QAction::triggered, m_files, &FileCommands::exportTrackFile);
    connect(mnuImportTrackFile, &QAction::triggered, m_files, [this] { m_files->importTrackFile(QString()); });
    // A track file goes into the shown track; any other file is opened as an image.
    new FileDrop(this, [this](const QString &path) {
        path.endsWith(edit::TrackFileSuffix) ? m_files->importTrackFile(path) : OpenGivenFile(path);
    });
    new StretchCommands(*this);
    showDocument();
}

} // namespace whoopline::shell
