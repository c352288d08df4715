#include "shell/window/frm_main.h"

#include "document/image_document.h"
#include "shell/actions/file_controller.h"
#include "shell/window/rectangle_shape.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

// The handlers of the window's own controls. Each reads its control and hands the document a
// command; the document's signals bring the result back to the controls.
namespace whoopline::shell {

void frmMain::warn(const QString &text) { m_context->warn(text); }

// The marker shows from the first Open on, even when the dialog is cancelled.
void frmMain::mnuOpen_Click()
{
    shpSelect->show();
    const QString chosen = m_dialogs.chooseImageFile(this);
    if (!chosen.isEmpty())
        m_files->open(chosen);
}

void frmMain::mnuSave_Click() { m_files->save(); }

void frmMain::btnLoadTrack_Click()
{
    // A refused load leaves the shown track, its laps and the view exactly as they were.
    if (const Status shown = document().showTrack(scrLoadTrack->value()); !shown)
        warn(shown.error());
}

void frmMain::loadTrack(int track)
{
    if (!document().isOpen())
        return;
    scrLoadTrack->setValue(track);
    btnLoadTrack_Click();
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
        if (const Status done = document().setLaps(laps, false); !done)
            warn(done.error());
}

void frmMain::Navigate(view::NavigationButton button, bool extendRun)
{
    const track::TrackModel &shown = document().track();
    if (shown.isLoaded())
        document().setCurrentObject(view::Navigate(button, shown.CurrentObject, shown.lastIndex()),
                                    extendRun);
}

void frmMain::OpenGivenFile(const QString &path, int track)
{
    if (path.isEmpty())
        return;
    m_files->open(path);
    // As after File > Open, the marker shows once an image is open.
    if (!document().isOpen())
        return;
    shpSelect->show();
    if (track != 0)
        loadTrack(track);
}

void frmMain::btnCurrentObject_Click()
{
    if (!document().hasTrack())
        return;
    if (const Status done = document().replaceCurrentObject(
            [this](const edit::ObjectChoice &shown) { return m_dialogs.runObjectSelector(this, shown); });
        !done)
        warn(done.error());
}

void frmMain::chkAlternative_Click()
{
    if (!document().hasTrack()) {
        chkAlternative->setChecked(false);
        return;
    }
    if (const Status done = document().setAlternative(chkAlternative->isChecked()); !done)
        warn(done.error());
    // A span takes no mark: nothing changed, and the box shows the object again.
    chkAlternative->setChecked(document().track().current().Alternative);
}

} // namespace whoopline::shell
