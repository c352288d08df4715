#include "palette_dock.h"

#include "editor_session.h"
#include "frm_main.h"
#include "object_clipboard.h"
#include "object_palette.h"
#include "object_run_edits.h"
#include "picture_box.h"
#include "stretch_commands.h"
#include "strip_layout.h"

#include <QAction>
#include <QDropEvent>
#include <QMenu>

namespace whoopline::shell {

namespace {

const QString DockStateName = QStringLiteral("docks");
const QString ShownFlag = QStringLiteral("objectPalette");

} // namespace

PaletteDock::PaletteDock(frmMain &window)
    : QObject(&window), m_window(window), m_toggle(window.viewMenu->addAction(QStringLiteral("Object Palette")))
{
    m_toggle->setObjectName(QStringLiteral("mnuObjectPalette"));
    m_toggle->setCheckable(true);
    connect(m_toggle, &QAction::triggered, this, [this](bool on) {
        if (on || m_palette)
            palette()->setVisible(on);
    });
    // Made with the window only when it showed at the last exit: most sessions never show it.
    if (window.session().settings().viewFlag(ShownFlag, false))
        m_toggle->setChecked(!palette()->isHidden());
    window.installEventFilter(this);
    connect(&window.document(), &document::ImageDocument::opened, this, [this] {
        m_stale = true;
        if (m_palette && m_palette->isVisible())
            showPictures();
    });
}

edit::ObjectPalette *PaletteDock::palette()
{
    if (m_palette)
        return m_palette;
    m_palette = new edit::ObjectPalette(&m_window);
    // The client area keeps its size: a docked palette makes the window wider.
    m_window.addDockWidget(Qt::RightDockWidgetArea, m_palette);
    m_palette->hide();
    m_window.restoreState(m_window.session().settings().viewState(DockStateName));
    // Its own item follows its title bar's close button and the restored state.
    connect(m_palette->toggleViewAction(), &QAction::toggled, m_toggle, &QAction::setChecked);
    connect(m_palette, &edit::ObjectPalette::replaceRequested, this, [this](int listIndex) {
        RecordWindowEdit(m_window, edit::TrackEditKind::ReplaceObject,
                         [&](edit::TrackEditState &state) {
                             return edit::ReplaceWithCatalogueEntry(state, listIndex,
                                                                    m_window.document().widths());
                         });
    });
    connect(m_palette, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (visible && m_stale)
            showPictures();
    });
    return m_palette;
}

void PaletteDock::showPictures()
{
    const document::ImageDocument &doc = m_window.document();
    if (!doc.isOpen())
        return;
    m_palette->showImage(doc.graphics().picGFX, doc.path());
    m_stale = false;
}

bool PaletteDock::eventFilter(QObject *watched, QEvent *event)
{
    const auto type = event->type();
    if (type == QEvent::Close && m_palette) {
        m_window.session().settings().setViewState(DockStateName, m_window.saveState());
        m_window.session().settings().setViewFlag(ShownFlag, !m_palette->isHidden());
    }
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return QObject::eventFilter(watched, event);
    auto *drop = static_cast<QDropEvent *>(event);
    const QMimeData *data = drop->mimeData();
    const auto objectBytes = data ? edit::ObjectBytesFromMimeData(*data) : Failure{QString()};
    if (!objectBytes)
        return false; // not objects: perhaps a file to open
    drop->acceptProposedAction();
    if (type == QEvent::DragEnter)
        return true;
    // Only a drop on an object of the track view inserts.
    const PictureBox *view = m_window.picTrack;
    const QPoint at = view->mapFrom(&m_window, drop->position().toPoint());
    const int index = m_window.document().hasTrack() && view->rect().contains(at)
                          ? view::ObjectAtStripX(m_window.document().track(), at.x())
                          : -1;
    if (index < 0)
        drop->ignore();
    else if (type == QEvent::Drop)
        // Once the drop is over, so that a refusal does not hold up the drag's source.
        QMetaObject::invokeMethod(
            this,
            [this, index, objectBytes = *objectBytes] {
                RecordWindowEdit(m_window, edit::TrackEditKind::InsertObject,
                                 [&](edit::TrackEditState &state) {
                                     return edit::InsertObjects(state, index, objectBytes,
                                                                QStringLiteral("insert"),
                                                                m_window.document().widths());
                                 });
            },
            Qt::QueuedConnection);
    return true;
}

} // namespace whoopline::shell
