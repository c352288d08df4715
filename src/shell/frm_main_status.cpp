#include "frm_main.h"

#include "command_availability.h"
#include "picture_box.h"
#include "status_texts.h"
#include "window_controls.h"

#include <QLabel>
#include <QStatusBar>

// How the window follows its document: the track view and the status
// bar under the client area with the file, the track and object, how much of the track's byte
// budget is free, and which tracks have unsaved edits.
namespace whoopline::shell {

void frmMain::createStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setSizeGripEnabled(false);
    bar->setContentsMargins(0, 0, 4, 0); // the last part's text clear of the window's edge
    lblFileName = makeStatusPart("lblFileName", bar);
    // A long name is cut rather than widening the window; the tooltip holds the whole path.
    lblFileName->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    bar->addWidget(lblFileName, 1);
    lblTrack = makeStatusPart("lblTrack", bar);
    lblObject = makeStatusPart("lblObject", bar);
    lblFreeBytes = makeStatusPart("lblFreeBytes", bar);
    lblModified = makeStatusPart("lblModified", bar);
    // The other parts, as wide as their texts, sit at the right end.
    for (QLabel *part : {lblTrack, lblObject, lblFreeBytes, lblModified})
        bar->addPermanentWidget(part);
    UpdateStatusBar();
}

void frmMain::showDocument()
{
    const document::ImageDocument *doc = m_document;
    connect(doc, &document::ImageDocument::opened, this, [this] {
        picTrack->setPicture(document().graphics().picBuffer);
        UpdateStatusBar();
    });
    connect(doc, &document::ImageDocument::trackChanged, this, [this](int track) {
        if (track != document().shownTrack())
            return;
        ShowLaps();
        RenderTrack();
    });
    connect(doc, &document::ImageDocument::currentObjectChanged, this, &frmMain::RenderTrack);
    connect(doc, &document::ImageDocument::modifiedChanged, this, &frmMain::UpdateStatusBar);
    m_availability->refresh();
}

void frmMain::UpdateStatusBar()
{
    if (lblFileName == nullptr)
        return;
    const document::ImageDocument &doc = document();
    const view::StatusTexts texts = view::StatusTextsOf(
        doc.path(), doc.hasTrack() ? &doc.track() : nullptr, doc.modifiedTracks());
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
