#include "shell/docks/object_palette.h"

#include "edit/object_catalogue.h"
#include "edit/object_clipboard.h"
#include "edit/object_replacement.h"
#include "track/track_layout.h"
#include "view/selector_preview.h"

#include <QEvent>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>

namespace whoopline::shell {

using namespace edit;

namespace {

constexpr int IconSize = 64;

// The list hands its entries to a drag in the clipboard's forms.
class PaletteList : public QListWidget
{
public:
    using QListWidget::QListWidget;

protected:
    QStringList mimeTypes() const override
    {
        return {ObjectsMimeType, QStringLiteral("text/plain")};
    }
    QMimeData *mimeData(const QList<QListWidgetItem *> &items) const override
    {
        return items.isEmpty() ? nullptr
                               : MakeObjectsMimeData(CatalogueEntryBytes(row(items.first())));
    }
};

// Most pictures fill little of the 256 x 256 preview: the icon shows the drawn part, whole.
QIcon iconOf(const QImage &preview)
{
    QRect drawn;
    const QImage rgb = preview.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x)
            if (rgb.pixel(x, y) != qRgb(0, 0, 0))
                drawn |= QRect(x, y, 1, 1);
    const QImage shown = drawn.isEmpty() ? rgb.copy(0, 0, IconSize, IconSize) : rgb.copy(drawn);
    QPixmap icon(IconSize, IconSize);
    icon.fill(Qt::black);
    const QImage scaled =
        shown.scaled(IconSize, IconSize, Qt::KeepAspectRatio, Qt::FastTransformation);
    QPainter(&icon).drawImage((IconSize - scaled.width()) / 2, (IconSize - scaled.height()) / 2,
                              scaled);
    return QIcon(icon);
}

} // namespace

ObjectPalette::ObjectPalette(QWidget *parent) : QDockWidget(QStringLiteral("Object Palette"), parent)
{
    setObjectName(QStringLiteral("dockObjectPalette")); // the name a saved window state uses
    setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
}

QListWidget *ObjectPalette::list()
{
    if (m_list)
        return m_list;
    m_list = new PaletteList(this);
    m_list->setObjectName(QStringLiteral("lstObjectPalette"));
    m_list->setIconSize(QSize(IconSize, IconSize));
    m_list->setDragEnabled(true);
    m_list->setDragDropMode(QAbstractItemView::DragOnly);
    m_list->setDefaultDropAction(Qt::CopyAction);
    for (int i = 0; i < CatalogueSize; ++i)
        m_list->addItem(catalogueText(i));
    setWidget(m_list);
    connect(m_list, &QListWidget::itemActivated, this,
            [this](QListWidgetItem *item) { emit replaceRequested(m_list->row(item)); });
    return m_list;
}

bool ObjectPalette::event(QEvent *event)
{
    if (event->type() == QEvent::Show)
        list();
    return QDockWidget::event(event);
}

void ObjectPalette::showImage(const QImage &picGFX, const QString &romPath)
{
    const auto numbers = ListObjectNumbers();
    for (int i = 0; i < CatalogueSize; ++i)
        list()->item(i)->setIcon(iconOf(view::ComposeSelectorPreview(numbers[i], picGFX, romPath)));
}

} // namespace whoopline::shell
