#include "shell/window/frm_main.h"

#include "edit/current_object_edit.h"
#include "edit/free_byte_edits.h"
#include "edit/object_replacement.h"
#include "edit/object_run_edits.h"
#include "edit/object_selection.h"
#include "shell/actions/file_commands.h"
#include "shell/actions/view_commands.h"
#include "shell/trackview/picture_box.h"
#include "shell/window/rectangle_shape.h"
#include "view/strip_layout.h"
#include "view/track_view.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

// The commands behind the menus and buttons. Each handler reads its controls and hands the
// document a command; the document's signals bring the result back to the controls.
namespace whoopline::shell {

void frmMain::warn(const QString &text)
{
    showMessage(this, QMessageBox::Warning, QStringLiteral("Whoopline"), text);
}

// The marker shows from the first Open on, even when the dialog is cancelled.
void frmMain::mnuOpen_Click()
{
    shpSelect->show();
    const QString chosen = chooseImageFile(this);
    if (!chosen.isEmpty())
        m_files->open(chosen);
}

void frmMain::OpenImageFile(const QString &path) { m_files->open(path); }

void frmMain::mnuSave_Click() { m_files->save(); }

void frmMain::btnLoadTrack_Click()
{
    // A refused load leaves the shown track, its laps and the view exactly as they were.
    if (const Status shown = document().showTrack(scrLoadTrack->value()); !shown)
        warn(shown.error());
}

void frmMain::scrLoadTrack_Change() { txtLoadTrack->setText(QString::number(scrLoadTrack->value())); }

void frmMain::ShowLaps()
{
    scrLaps->setValue(document().laps());
    // The change handler does not run when the value stays the same.
    txtLaps->setText(QString::number(scrLaps->value()));
}

void frmMain::scrLaps_Change()
{
    txtLaps->setText(QString::number(scrLaps->value()));
    // Only the user's change is a step: the document holds the laps before the bar shows them.
    const int laps = scrLaps->value();
    if (document().hasTrack() && laps != document().laps())
        RecordEdit(document().setLaps(laps, false));
}

void frmMain::RecordEdit(const Status &done)
{
    if (!done)
        warn(done.error());
}

void frmMain::RenderTrack()
{
    const document::ImageDocument &doc = document();
    if (doc.hasTrack()) {
        const view::TrackView view = view::RenderTrackView(
            doc.track(), doc.graphics().picBuffer, doc.graphics().picGFX, doc.path(),
            viewCommands->marksAlternative());
        shpSelect->resize(view.markerWidth, shpSelect->height());
        lblCurrentObject->setText(view.currentObjectText);
        // setChecked does not emit clicked, so showing the mark never toggles it.
        chkAlternative->setChecked(view.alternative);
        lblLength->setText(view.lengthText);
        picTrack->setPicture(view.strip);
    }
    UpdateStatusBar();
}

void frmMain::Navigate(view::NavigationButton button)
{
    const track::TrackModel &shown = document().track();
    if (shown.isLoaded())
        document().setCurrentObject(view::Navigate(button, shown.CurrentObject, shown.lastIndex()));
}

void frmMain::btnPrevBeginning_Click() { Navigate(view::NavigationButton::First); }

void frmMain::btnPrev10_Click() { Navigate(view::NavigationButton::Back10); }

void frmMain::btnPrev_Click() { Navigate(view::NavigationButton::Back); }

void frmMain::btnNext_Click() { Navigate(view::NavigationButton::Forward); }

void frmMain::btnNext10_Click() { Navigate(view::NavigationButton::Forward10); }

void frmMain::btnNextEnd_Click() { Navigate(view::NavigationButton::Last); }

void frmMain::OpenGivenFile(const QString &path, int track)
{
    if (path.isEmpty())
        return;
    m_files->open(path);
    // As after File > Open, the marker shows once an image is open.
    if (!document().isOpen())
        return;
    shpSelect->show();
    if (track != 0) { // as a user loads it: the chooser shows it too
        scrLoadTrack->setValue(track);
        btnLoadTrack_Click();
    }
}

void frmMain::btnCurrentObject_Click()
{
    if (document().hasTrack())
        RecordEdit(document().replaceCurrentObject([this] { return runObjectSelector(this); }));
}

void frmMain::chkAlternative_Click()
{
    if (!document().hasTrack()) {
        chkAlternative->setChecked(false);
        return;
    }
    RecordEdit(document().setAlternative(chkAlternative->isChecked()));
    // A span takes no mark: nothing changed, and the box shows the object again.
    chkAlternative->setChecked(document().track().current().Alternative);
}

void frmMain::mnuInsert_Click()
{
    if (document().hasTrack())
        RecordEdit(document().insertObject());
}

void frmMain::mnuDelete_Click()
{
    if (document().hasTrack())
        RecordEdit(document().deleteSelection());
}

void frmMain::mnuSetLaps_Click()
{
    // The document holds the laps before the bar shows them: no laps click follows.
    if (const auto laps = document().hasTrack() ? runSetLaps(this, document().laps()) : std::nullopt)
        RecordEdit(document().setLaps(*laps, true));
}

void frmMain::picTrack_Click(QPoint at)
{
    // A click on an object steps to it; a click past the last object drawn does nothing.
    const track::TrackModel &shown = document().track();
    const int object = shown.isLoaded() ? view::ObjectAtStripX(shown, at.x()) : -1;
    m_pressedOnObject = object >= 0;
    if (m_pressedOnObject)
        document().setCurrentObject(object);
}

void frmMain::picTrack_DblClick(QPoint)
{
    // The first press has made the object under the pointer current and moved it to x 0.
    if (m_pressedOnObject)
        btnCurrentObject->click();
}

} // namespace whoopline::shell
