#include "frm_main.h"

#include "app_fonts.h"
#include "status_texts.h"

#include <QLabel>
#include <QStatusBar>
#include <QUndoStack>

// The status bar under the client area: which file, which track and object, how much of the
// track's byte budget is free, and whether there are unsaved edits.
namespace whoopline::shell {

namespace {

QLabel *statusPart(const char *name, QStatusBar *bar)
{
    auto *part = new QLabel(bar);
    part->setObjectName(QString::fromLatin1(name));
    part->setFont(windowFont());
    return part;
}

} // namespace

void frmMain::createStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setSizeGripEnabled(false);
    bar->setContentsMargins(0, 0, 4, 0); // the last part's text clear of the window's edge
    lblFileName = statusPart("lblFileName", bar);
    // A long name is cut rather than widening the window; the tooltip holds the whole path.
    lblFileName->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    bar->addWidget(lblFileName, 1);
    lblTrack = statusPart("lblTrack", bar);
    lblObject = statusPart("lblObject", bar);
    lblFreeBytes = statusPart("lblFreeBytes", bar);
    lblModified = statusPart("lblModified", bar);
    // The other parts, as wide as their texts, sit at the right end.
    for (QLabel *part : {lblTrack, lblObject, lblFreeBytes, lblModified})
        bar->addPermanentWidget(part);
    connect(UndoStack, &QUndoStack::cleanChanged, this, &frmMain::UpdateStatusBar);
    UpdateStatusBar();
}

void frmMain::UpdateStatusBar()
{
    if (lblFileName == nullptr)
        return;
    // A track loaded from an earlier image is no track of the file named here.
    const bool trackShown = Track.isLoaded() && m_trackFromOpenImage;
    const view::StatusTexts texts =
        view::StatusTextsOf(RomPath, trackShown ? &Track : nullptr, !UndoStack->isClean());
    lblFileName->setText(texts.fileName);
    lblFileName->setToolTip(texts.filePath);
    const std::pair<QLabel *, const QString &> parts[] = {
        {lblTrack, texts.track},
        {lblObject, texts.object},
        {lblFreeBytes, texts.freeBytes},
        {lblModified, texts.modified}};
    // An empty part is hidden: an empty label asks for the room of a long line.
    for (const auto &[part, text] : parts) {
        part->setText(text);
        part->setVisible(!text.isEmpty());
    }
}

} // namespace whoopline::shell
