#include "frm_main.h"

#include "current_object_edit.h"
#include "image_file.h"
#include "object_replacement.h"
#include "open_image.h"
#include "picture_box.h"
#include "rectangle_shape.h"
#include "strip_layout.h"
#include "track_io.h"
#include "track_view.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QUndoStack>

// The commands behind the menus and buttons. Each handler reads its controls, calls the image,
// track, view or editing code, and shows the result; refusals come back as messages.
namespace whoopline::shell {

namespace {
const QString WindowTitle = QStringLiteral("Whoopline");
}

void frmMain::warn(const QString &text)
{
    showMessage(this, QMessageBox::Warning, WindowTitle, text);
}

void frmMain::mnuOpen_Click()
{
    // The marker shows from the first Open on, even when the dialog is cancelled.
    shpSelect->show();
    const QString chosen = chooseImageFile(this);
    if (chosen.isEmpty())
        return;
    OpenImageFile(chosen);
}

void frmMain::OpenImageFile(const QString &chosen)
{
    // Everything is read and checked before the window changes anything.
    auto opened = view::OpenImage(chosen);
    if (!opened) {
        warn(opened.error());
        return;
    }
    if (!ConfirmUnsavedEdits())
        return;
    UndoStack->clear();
    RomPath = QFileInfo(chosen).absoluteFilePath();
    SetControlsEnabled(this, true);
    TilePalette = opened->graphics.TilePalette;
    picGFX = opened->graphics.picGFX;
    picBuffer = opened->graphics.picBuffer;
    ObjectWidthTable = opened->ObjectWidthTable;
    picTrack->setPicture(picBuffer);
    // A track loaded from an earlier image stays in the model, but it is not this image's.
    m_trackFromOpenImage = false;
    UpdateStatusBar();
}

void frmMain::mnuSave_Click()
{
    if (!Track.isLoaded()) {
        showMessage(this, QMessageBox::Information, WindowTitle,
                    QStringLiteral("There is no track to save yet. Choose a track and press Load first."));
        return;
    }
    if (!m_trackFromOpenImage) {
        showMessage(this, QMessageBox::Information, WindowTitle,
                    QStringLiteral("The loaded track comes from another image. Load a track from %1 "
                                   "before saving; nothing was written.")
                        .arg(QStringLiteral("\u201C%1\u201D").arg(displayName(RomPath))));
        return;
    }
    const Status saved = track::WriteTrack(RomPath, Track.CurrentTrack, scrLaps->value(), Track.TrackObjects,
                                           [this] { return m_safetyCopies.keepBeforeSaving(RomPath); });
    if (!saved) {
        warn(saved.error());
        return;
    }
    UndoStack->setClean();
    showMessage(this, QMessageBox::Information, WindowTitle, QStringLiteral("Level saved successfully!"));
}

bool frmMain::ConfirmUnsavedEdits()
{
    if (UndoStack->isClean())
        return true;
    const QString question = QStringLiteral("Save the changes to track %1 of \u201C%2\u201D?")
                                 .arg(Track.CurrentTrack)
                                 .arg(displayName(RomPath));
    switch (askToSaveChanges(this, WindowTitle, question)) {
    case QMessageBox::Save:
        // Only a save that succeeded marks the steps clean.
        mnuSave_Click();
        return UndoStack->isClean();
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

void frmMain::btnLoadTrack_Click()
{
    // Asked before the read, so that a save of the same track is what the load then reads.
    if (!ConfirmUnsavedEdits())
        return;
    LoadTrack(scrLoadTrack->value());
}

void frmMain::LoadTrack(int trackNumber)
{
    // A refused load leaves the loaded track, its laps and the view exactly as they were.
    auto loaded = track::ReadTrack(RomPath, trackNumber, ObjectWidthTable);
    if (!loaded) {
        warn(loaded.error());
        return;
    }
    Track.TrackObjects = std::move(loaded.value().objects);
    Track.CurrentTrack = trackNumber;
    Track.CurrentObject = 0;
    m_trackFromOpenImage = true;
    UndoStack->clear();
    m_laps = loaded->laps;
    scrLaps->setValue(loaded->laps);
    // The change handler does not run when the value stays the same.
    txtLaps->setText(QString::number(scrLaps->value()));
    RenderTrack();
}

void frmMain::scrLoadTrack_Change()
{
    txtLoadTrack->setText(QString::number(scrLoadTrack->value()));
}

void frmMain::scrLaps_Change()
{
    txtLaps->setText(QString::number(scrLaps->value()));
    // Only the user's change is a step: the editor sets m_laps before it sets the bar.
    const int laps = scrLaps->value();
    if (!Track.isLoaded() || laps == m_laps)
        return;
    RecordEdit(edit::TrackEditKind::ChangeLaps, [laps](edit::TrackEditState &state) {
        state.laps = laps;
        return Status(Success{});
    });
}

void frmMain::RenderTrack()
{
    if (!Track.isLoaded())
        return;
    const view::TrackView view = view::RenderTrackView(Track, picBuffer, picGFX, RomPath);
    shpSelect->resize(view.markerWidth, shpSelect->height());
    lblCurrentObject->setText(view.currentObjectText);
    // setChecked does not emit clicked, so showing the mark never toggles it.
    chkAlternative->setChecked(view.alternative);
    lblLength->setText(view.lengthText);
    picTrack->setPicture(view.strip);
    UpdateStatusBar();
}

void frmMain::Navigate(view::NavigationButton button)
{
    if (!Track.isLoaded())
        return;
    Track.CurrentObject = view::Navigate(button, Track.CurrentObject, Track.lastIndex());
    RenderTrack();
}

void frmMain::btnPrevBeginning_Click()
{
    Navigate(view::NavigationButton::First);
}

void frmMain::btnPrev10_Click()
{
    Navigate(view::NavigationButton::Back10);
}

void frmMain::btnPrev_Click()
{
    Navigate(view::NavigationButton::Back);
}

void frmMain::btnNext_Click()
{
    Navigate(view::NavigationButton::Forward);
}

void frmMain::btnNext10_Click()
{
    Navigate(view::NavigationButton::Forward10);
}

void frmMain::btnNextEnd_Click()
{
    Navigate(view::NavigationButton::Last);
}

void frmMain::btnCurrentObject_Click()
{
    if (!Track.isLoaded())
        return;
    RecordEdit(edit::TrackEditKind::ReplaceObject, [this](edit::TrackEditState &state) {
        return edit::EditCurrentObject(state.track, ObjectWidthTable,
                                       [this] { return runObjectSelector(this); });
    });
}

void frmMain::chkAlternative_Click()
{
    if (!Track.isLoaded()) {
        chkAlternative->setChecked(false);
        return;
    }
    const bool checked = chkAlternative->isChecked();
    RecordEdit(edit::TrackEditKind::ChangeMark, [checked](edit::TrackEditState &state) {
        edit::ToggleAlternative(state.track, checked);
        return Status(Success{});
    });
    // A span takes no mark: nothing changed, and the box shows the object again.
    chkAlternative->setChecked(Track.current().Alternative);
}

void frmMain::picTrack_Click(QPoint at)
{
    // A click on an object steps to it; a click past the last object drawn does nothing.
    const int object = Track.isLoaded() ? view::ObjectAtStripX(Track, at.x()) : -1;
    m_pressedOnObject = object >= 0;
    if (!m_pressedOnObject)
        return;
    Track.CurrentObject = object;
    RenderTrack();
}

void frmMain::picTrack_DblClick(QPoint)
{
    // The first press has made the object under the pointer current and moved it to x 0.
    if (m_pressedOnObject)
        btnCurrentObject->click();
}

} // namespace whoopline::shell
