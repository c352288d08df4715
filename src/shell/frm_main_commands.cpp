#include "frm_main.h"

#include <QLineEdit>
#include <QScrollBar>

// The commands behind the menus and buttons. Those that need an open image are wired to the
// image, track and view code as it arrives.
namespace whoopline::shell {

void frmMain::mnuOpen_Click() {}

void frmMain::mnuSave_Click() {}

void frmMain::btnLoadTrack_Click() {}

void frmMain::scrLoadTrack_Change()
{
    txtLoadTrack->setText(QString::number(scrLoadTrack->value()));
}

void frmMain::scrLaps_Change()
{
    txtLaps->setText(QString::number(scrLaps->value()));
}

void frmMain::btnPrevBeginning_Click() {}

void frmMain::btnPrev10_Click() {}

void frmMain::btnPrev_Click() {}

void frmMain::btnNext_Click() {}

void frmMain::btnNext10_Click() {}

void frmMain::btnNextEnd_Click() {}

void frmMain::btnCurrentObject_Click() {}

void frmMain::chkAlternative_Click() {}

} // namespace whoopline::shell
