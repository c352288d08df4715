#include "shell/docks/palette_dock.h"

#include "document/image_document.h"
#include "shell/actions/action_making.h"
#include "shell/docks/object_palette.h"
#include "shell/session/editor_session.h"

#include <QAction>
#include <QGuiApplication>
#include <QMainWindow>
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

PaletteDock::PaletteDock(const ActionContext &context, QObject *parent)
    : QObject(parent), m_context(context), m_toggle(makeAction(this, "mnuObjectPalette", QStringLiteral("Object &Palette")))
{
    m_toggle->setCheckable(true);
    connect(m_toggle, &QAction::triggered, this, [this](bool on) {
        if (on || m_palette)
            palette()->setVisible(on);
    });
    // Made with the window only when it showed at the last exit: most sessions never show it.
    if (context.session.settings().get(Settings::PaletteShown)) {
        palette()->show();
        m_toggle->setChecked(true);
    }
    connect(&context.document, &document::ImageDocument::opened, this, [this] {
        m_stale = true;
        if (m_palette && m_palette->isVisible())
            showPictures();
    });
}

ObjectPalette *PaletteDock::palette()
{
    if (m_palette)
        return m_palette;
    QMainWindow &window = m_context.window;
    m_palette = new ObjectPalette(&window);
    // The client area keeps its size: a docked palette makes the window wider.
    EditorSettings &settings = m_context.session.settings();
    window.addDockWidget(settings.get(Settings::PaletteOnTheLeft) ? Qt::LeftDockWidgetArea
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
        if (const Status done = m_context.document.replaceWithEntry(listIndex); !done)
            m_context.warn(done.error());
    });
    connect(m_palette, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (visible && m_stale)
            showPictures();
    });
    return m_palette;
}

void PaletteDock::showPictures()
{
    const document::ImageDocument &doc = m_context.document;
    if (!doc.isOpen())
        return;
    m_palette->showImage(doc.graphics().picGFX, doc.path());
    m_stale = false;
}

void PaletteDock::rememberPlace()
{
    if (!m_palette)
        return;
    EditorSettings &settings = m_context.session.settings();
    settings.set(Settings::PaletteOnTheLeft, m_context.window.dockWidgetArea(m_palette) == Qt::LeftDockWidgetArea);
    settings.set(Settings::PaletteFloating, m_palette->isFloating());
    settings.set(Settings::PaletteGeometry, geometryText(m_palette->geometry()));
    settings.set(Settings::PaletteShown, !m_palette->isHidden());
}

} // namespace whoopline::shell
