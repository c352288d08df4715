#include "shell/window/window_status_bar.h"

#include "shell/window/frm_main.h"
#include "shell/window/window_controls.h"
#include "view/status_texts.h"

#include <QLabel>
#include <QStatusBar>

namespace whoopline::shell {

WindowStatusBar::WindowStatusBar(frmMain &window) : QObject(&window), m_window(window)
{
    QStatusBar *bar = window.statusBar();
    bar->setSizeGripEnabled(false);
    bar->setContentsMargins(0, 0, 4, 0); // the last part's text clear of the window's edge
    window.lblFileName = makeStatusPart("lblFileName", bar);
    // A long name is cut rather than widening the window; the tooltip holds the whole path.
    window.lblFileName->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    bar->addWidget(window.lblFileName, 1);
    window.lblTrack = makeStatusPart("lblTrack", bar);
    window.lblObject = makeStatusPart("lblObject", bar);
    window.lblFreeBytes = makeStatusPart("lblFreeBytes", bar);
    window.lblMarked = makeStatusPart("lblMarked", bar);
    window.lblModified = makeStatusPart("lblModified", bar);
    // The other parts, as wide as their texts, sit at the right end.
    for (QLabel *part : {window.lblTrack, window.lblObject, window.lblMarked, window.lblFreeBytes, window.lblModified})
        bar->addPermanentWidget(part);
    update();
}

void WindowStatusBar::update()
{
    const frmMain &w = m_window;
    const document::ImageDocument &doc = w.document();
    const view::StatusTexts texts = view::StatusTextsOf(
        doc.path(), doc.hasTrack() ? &doc.track() : nullptr, doc.modifiedTracks());
    w.lblFileName->setText(texts.fileName);
    w.lblFileName->setToolTip(texts.filePath);
    const std::pair<QLabel *, const QString &> parts[] = {
        {w.lblTrack, texts.track},
        {w.lblObject, texts.object},
        {w.lblFreeBytes, texts.freeBytes},
        {w.lblMarked, texts.marked},
        {w.lblModified, texts.modified}};
    // An empty part is hidden: an empty label asks for the room of a long line.
    for (const auto &[part, text] : parts) {
        part->setText(text);
        part->setVisible(!text.isEmpty());
    }
}

} // namespace whoopline::shell
