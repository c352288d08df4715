#include "shell/window/frm_main.h"

#include "document/image_document.h"
#include "edit/object_replacement.h"
#include "shell/actions/view_controller.h"
#include "shell/trackview/track_view_widget.h"
#include "shell/window/rectangle_shape.h"
#include "view/track_view.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

// How the window's own controls follow its document.
namespace whoopline::shell {

namespace {

const QString AlternativeTip =
    QStringLiteral("The current one-byte object appears only in the alternative track");

} // namespace

void frmMain::showDocument()
{
    using Doc = document::ImageDocument;
    const Doc *doc = m_document;
    connect(doc, &Doc::opened, this, [this] {
        SetControlsEnabled(this, true);
        // No track is shown: nothing of the one that was may stay in sight.
        picTrack->setPicture(document().graphics().picBuffer);
        lblCurrentObject->clear();
        lblLength->clear();
        chkAlternative->setChecked(false);
        txtLaps->clear();
    });
    connect(doc, &Doc::trackChanged, this, [this](int track) {
        if (track != document().shownTrack())
            return;
        ShowLaps();
        RenderTrack();
    });
    connect(doc, &Doc::currentObjectChanged, this, &frmMain::RenderTrack);
    // The specified caption, then the open file's name and a mark while it has unsaved edits.
    const auto caption = [this] {
        const QString name = document().isOpen() ? QFileInfo(document().path()).fileName() : QString();
        setWindowTitle(name.isEmpty() ? Caption : QStringLiteral("%1 - %2[*]").arg(Caption, name));
        setWindowModified(document().isModified());
    };
    for (auto changed : {&Doc::opened, &Doc::pathChanged, &Doc::modifiedChanged})
        connect(doc, changed, this, caption);
    for (auto changed : {&Doc::opened, &Doc::historyChanged})
        connect(doc, changed, this, &frmMain::updateControls);
    connect(doc, &Doc::currentObjectChanged, this, &frmMain::updateControls);
    connect(doc, &Doc::trackChanged, this, &frmMain::updateControls);
}

// Once an image is open every control is on, as SetControlsEnabled left them, but those that show
// or change the shown track wait for one; the mark waits for an object that can take it.
void frmMain::updateControls()
{
    const document::ImageDocument &doc = document();
    if (!doc.isOpen())
        return;
    for (QWidget *control : {static_cast<QWidget *>(lblCurrentObject), static_cast<QWidget *>(btnCurrentObject),
                             static_cast<QWidget *>(lblLength), static_cast<QWidget *>(txtLaps),
                             static_cast<QWidget *>(scrLaps)})
        control->setEnabled(doc.hasTrack());
    for (QPushButton *button : m_navigation)
        button->setEnabled(doc.hasTrack());
    const Status markable = doc.hasTrack() ? edit::CanMarkCurrentObject(doc.track()) : Status(Success{});
    chkAlternative->setEnabled(doc.hasTrack() && markable.ok());
    chkAlternative->setToolTip(markable ? AlternativeTip : markable.error());
}

void frmMain::RenderTrack()
{
    const document::ImageDocument &doc = document();
    if (!doc.hasTrack())
        return;
    const view::TrackView view = view::RenderTrackView(doc.track(), doc.graphics().picBuffer,
                                                       doc.graphics().picGFX, doc.path(),
                                                       m_view->marksAlternative(), picTrack->width());
    shpSelect->resize(view.markerWidth, shpSelect->height());
    lblCurrentObject->setText(view.currentObjectText);
    // setChecked does not emit clicked, so showing the mark never toggles it.
    chkAlternative->setChecked(view.alternative);
    lblLength->setText(view.lengthText);
    picTrack->setPicture(view.strip);
}

} // namespace whoopline::shell
