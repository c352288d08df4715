#include "shell/docks/palette_dock.h"

#include "edit/object_clipboard.h"
#include "edit/object_run_edits.h"
#include "shell/actions/stretch_commands.h"
#include "shell/docks/object_palette.h"
#include "shell/session/editor_session.h"
#include "shell/trackview/picture_box.h"
#include "shell/window/frm_main.h"
#include "view/strip_layout.h"

#include <QAction>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>

#include <optional>

namespace whoopline::shell {

namespace {

QByteArray geometryText(const QRect &r)
{
    return QStringLiteral("%1 %2 %3 %4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()).toLatin1();
}

// A floating palette's place, when it is four whole numbers of a rectangle on a screen.
std::optional<QRect> geometryFrom(const QByteArray &text)
{
    const QList<QByteArray> numbers = text.split(' ');
    if (numbers.size() != 4)
        return std::nullopt;
    int values[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        values[i] = numbers[i].toInt(&ok);
        if (!ok)
            return std::nullopt;
    }
    const QRect place(values[0], values[1], values[2], values[3]);
    if (place.width() < 32 || place.height() < 32 || place.width() > 8192 || place.height() > 8192)
        return std::nullopt;
    for (const QScreen *screen : QGuiApplication::screens())
        if (screen->availableGeometry().intersects(place))
            return place;
    return std::nullopt;
}

} // namespace

PaletteDock::PaletteDock(frmMain &window)
    : QObject(&window), m_window(window), m_toggle(window.viewMenu->addAction(QStringLiteral("Object &Palette")))
{
    m_toggle->setObjectName(QStringLiteral("mnuObjectPalette"));
    m_toggle->setCheckable(true);
    connect(m_toggle, &QAction::triggered, this, [this](bool on) {
        if (on || m_palette)
            palette()->setVisible(on);
    });
    // Made with the window only when it showed at the last exit: most sessions never show it.
    if (window.session().settings().get(Settings::PaletteShown)) {
        palette()->show();
        m_toggle->setChecked(true);
    }
    window.installEventFilter(this);
    connect(&window.document(), &document::ImageDocument::opened, this, [this] {
        m_stale = true;
        if (m_palette && m_palette->isVisible())
            showPictures();
    });
}

QWidget *PaletteDock::dropMarker()
{
    if (!m_dropMarker) {
        m_dropMarker = new QWidget(m_window.picTrack);
        m_dropMarker->setObjectName(QStringLiteral("shpDropMarker"));
        m_dropMarker->setAutoFillBackground(true);
        QPalette colours = m_dropMarker->palette();
        colours.setColor(QPalette::Window, Qt::yellow);
        m_dropMarker->setPalette(colours);
        m_dropMarker->hide();
    }
    return m_dropMarker;
}

void PaletteDock::warnOf(const Status &done)
{
    if (!done)
        m_window.showMessage(&m_window, QMessageBox::Warning, QStringLiteral("Whoopline"), done.error());
}

ObjectPalette *PaletteDock::palette()
{
    if (m_palette)
        return m_palette;
    m_palette = new ObjectPalette(&m_window);
    // The client area keeps its size: a docked palette makes the window wider.
    EditorSettings &settings = m_window.session().settings();
    m_window.addDockWidget(settings.get(Settings::PaletteOnTheLeft) ? Qt::LeftDockWidgetArea
                                                              : Qt::RightDockWidgetArea,
                           m_palette);
    m_palette->hide();
    if (settings.get(Settings::PaletteFloating)) {
        if (const auto place = geometryFrom(settings.get(Settings::PaletteGeometry))) {
            m_palette->setFloating(true);
            m_palette->setGeometry(*place);
        } else {
            settings.addStatusText(QStringLiteral("The object palette's remembered place could not "
                                                  "be used: it is docked again."));
        }
    }
    // Its own item follows its title bar's close button and the restored state.
    connect(m_palette->toggleViewAction(), &QAction::toggled, m_toggle, &QAction::setChecked);
    connect(m_palette, &ObjectPalette::replaceRequested, this, [this](int listIndex) {
        warnOf(m_window.document().replaceWithEntry(listIndex));
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
        EditorSettings &settings = m_window.session().settings();
        settings.set(Settings::PaletteOnTheLeft, m_window.dockWidgetArea(m_palette) == Qt::LeftDockWidgetArea);
        settings.set(Settings::PaletteFloating, m_palette->isFloating());
        settings.set(Settings::PaletteGeometry, geometryText(m_palette->geometry()));
        settings.set(Settings::PaletteShown, !m_palette->isHidden());
    }
    if (type == QEvent::DragLeave || type == QEvent::Drop)
        dropMarker()->hide();
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
    // Where the objects will land: before the object under the pointer.
    if (index >= 0 && type == QEvent::DragMove) {
        const track::TrackModel &shown = m_window.document().track();
        qint64 left = 0;
        for (int i = shown.CurrentObject; i < index; ++i)
            left += view::StripAdvance(shown.TrackObjects.at(i));
        dropMarker()->setGeometry(int(left), 0, 3, view->height());
        dropMarker()->show();
    }
    dropMarker()->setVisible(index >= 0 && type == QEvent::DragMove);
    if (index >= 0 && type == QEvent::Drop)
        // Once the drop is over, so that a refusal does not hold up the drag's source.
        QMetaObject::invokeMethod(
            this,
            [this, index, objectBytes = *objectBytes] {
                warnOf(m_window.document().insertObjects(index, objectBytes));
            },
            Qt::QueuedConnection);
    return true;
}

} // namespace whoopline::shell
