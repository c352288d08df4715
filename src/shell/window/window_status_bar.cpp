#include "shell/window/window_status_bar.h"

#include "document/image_document.h"
#include "edit/object_selection.h"
#include "shell/window/window_controls.h"
#include "view/status_texts.h"

#include <QLabel>
#include <QStatusBar>

namespace whoopline::shell {

WindowStatusBar::WindowStatusBar(const document::ImageDocument &document, QStatusBar *bar)
    : QObject(bar), m_document(document), m_fileName(makeStatusPart("lblFileName", bar)),
      m_track(makeStatusPart("lblTrack", bar)), m_object(makeStatusPart("lblObject", bar)),
      m_selection(makeStatusPart("lblSelection", bar)), m_freeBytes(makeStatusPart("lblFreeBytes", bar)),
      m_marked(makeStatusPart("lblMarked", bar)), m_modified(makeStatusPart("lblModified", bar))
{
    bar->setSizeGripEnabled(false);
    bar->setContentsMargins(0, 0, 4, 0); // the last part's text clear of the window's edge
    // A long name is cut rather than widening the window; the tooltip holds the whole path.
    m_fileName->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    bar->addWidget(m_fileName, 1);
    // The other parts, as wide as their texts, sit at the right end.
    for (QLabel *part : {m_track, m_object, m_selection, m_marked, m_freeBytes, m_modified})
        bar->addPermanentWidget(part);
    m_selection->hide();
    using Doc = document::ImageDocument;
    for (auto changed : {&Doc::opened, &Doc::modifiedChanged, &Doc::pathChanged})
        connect(&document, changed, this, &WindowStatusBar::update);
    connect(&document, &Doc::trackChanged, this, &WindowStatusBar::update);
    connect(&document, &Doc::currentObjectChanged, this, &WindowStatusBar::update);
    connect(&document, &Doc::selectionChanged, this, &WindowStatusBar::showSelection);
    update();
}

void WindowStatusBar::update()
{
    const document::ImageDocument &doc = m_document;
    const view::StatusTexts texts = view::StatusTextsOf(
        doc.path(), doc.hasTrack() ? &doc.track() : nullptr, doc.modifiedTracks());
    m_fileName->setText(texts.fileName);
    m_fileName->setToolTip(texts.filePath);
    const std::pair<QLabel *, const QString &> parts[] = {{m_track, texts.track},
                                                          {m_object, texts.object},
                                                          {m_freeBytes, texts.freeBytes},
                                                          {m_marked, texts.marked},
                                                          {m_modified, texts.modified}};
    // An empty part is hidden: an empty label asks for the room of a long line.
    for (const auto &[part, text] : parts) {
        part->setText(text);
        part->setVisible(!text.isEmpty());
    }
}

void WindowStatusBar::showSelection()
{
    const edit::TrackEditState &state = m_document.shownState();
    const bool several = edit::SelectedRun(state).count > 1;
    m_selection->setText(several ? edit::SelectionText(state) : QString());
    m_selection->setVisible(several);
}

} // namespace whoopline::shell
