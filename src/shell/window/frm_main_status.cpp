#include "shell/window/frm_main.h"

#include "shell/actions/command_availability.h"

#include <QCheckBox>
#include <QLabel>
#include <QFileInfo>
#include <QLineEdit>
#include "shell/trackview/picture_box.h"
#include "shell/window/window_status_bar.h"

// How the window follows its document.
namespace whoopline::shell {

void frmMain::showDocument()
{
    const document::ImageDocument *doc = m_document;
    connect(doc, &document::ImageDocument::opened, this, [this] {
        // No track is shown: nothing of the one that was may stay in sight.
        picTrack->setPicture(document().graphics().picBuffer);
        lblCurrentObject->clear();
        lblLength->clear();
        chkAlternative->setChecked(false);
        txtLaps->clear();
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
    // The specified caption, then the open file's name and a mark while it has unsaved edits.
    const auto caption = [this] {
        const QString name = document().isOpen() ? QFileInfo(document().path()).fileName() : QString();
        setWindowTitle(name.isEmpty() ? Caption : QStringLiteral("%1 - %2[*]").arg(Caption, name));
        setWindowModified(document().isModified());
    };
    for (auto changed : {&document::ImageDocument::opened, &document::ImageDocument::pathChanged, &document::ImageDocument::modifiedChanged})
        connect(doc, changed, this, caption);
    m_availability->refresh();
}

void frmMain::UpdateStatusBar() { m_statusBar->update(); }

} // namespace whoopline::shell
