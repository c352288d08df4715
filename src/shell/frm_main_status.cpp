#include "frm_main.h"

#include "app_fonts.h"
#include "status_texts.h"

#include <QLabel>
#include <QStatusBar>

// The status bar under the client area: which file, which track and object, how much of the
// track's byte budget is free, and whether there are unsaved edits.
namespace whoopline::shell {

namespace {

QLabel *statusPart(const char *name, QStatusBar *bar, int stretch)
{
    auto *part = new QLabel(bar);
    part->setObjectName(QString::fromLatin1(name));
    part->setFont(windowFont());
    bar->addWidget(part, stretch);
    return part;
}

} // namespace

void frmMain::createStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setSizeGripEnabled(false);
    lblFileName = statusPart("lblFileName", bar, 1);
    // A long name is cut rather than widening the window; the tooltip holds the whole path.
    lblFileName->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    lblTrack = statusPart("lblTrack", bar, 0);
    lblObject = statusPart("lblObject", bar, 0);
    lblFreeBytes = statusPart("lblFreeBytes", bar, 0);
    lblModified = statusPart("lblModified", bar, 0);
    UpdateStatusBar();
}

void frmMain::UpdateStatusBar()
{
    if (lblFileName == nullptr)
        return;
    // A track loaded from an earlier image is no track of the file named here.
    const bool trackShown = Track.isLoaded() && m_trackFromOpenImage;
    const view::StatusTexts texts =
        view::StatusTextsOf(RomPath, trackShown ? &Track : nullptr, m_modified);
    lblFileName->setText(texts.fileName);
    lblFileName->setToolTip(texts.filePath);
    lblTrack->setText(texts.track);
    lblObject->setText(texts.object);
    lblFreeBytes->setText(texts.freeBytes);
    lblModified->setText(texts.modified);
}

void frmMain::SetModified(bool modified)
{
    m_modified = modified;
    UpdateStatusBar();
}

} // namespace whoopline::shell
