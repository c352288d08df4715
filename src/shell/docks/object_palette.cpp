#include "shell/docks/object_palette.h"

#include "edit/object_catalogue.h"
#include "edit/object_clipboard.h"
#include "edit/object_replacement.h"
#include "track/track_layout.h"
#include "view/selector_preview.h"

#include <QEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QVBoxLayout>

namespace whoopline::shell {

using namespace edit;

namespace {

constexpr int IconSize = 64;
// Shown smaller, so that a dock as high as the window shows a dozen entries and more.
constexpr int ShownIconSize = 24;

// The list hands its entries to a drag in the clipboard's forms.
class PaletteList : public QListWidget
{
    Q_OBJECT

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
    auto *panel = new QWidget(this);
    auto *filter = new QLineEdit(panel);
    filter->setObjectName(QStringLiteral("txtPaletteFilter"));
    filter->setPlaceholderText(QStringLiteral("Filter: name or number"));
    filter->setClearButtonEnabled(true);
    m_list = new PaletteList(panel);
    m_list->setObjectName(QStringLiteral("lstObjectPalette"));
    m_list->setIconSize(QSize(ShownIconSize, ShownIconSize));
    auto *column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(filter);
    column->addWidget(m_list);
    // "ramp" or "0c": the entries whose text, which starts with the number, holds what is typed.
    connect(filter, &QLineEdit::textChanged, m_list, [this](const QString &text) {
        for (int i = 0; i < m_list->count(); ++i)
            m_list->item(i)->setHidden(!m_list->item(i)->text().contains(text.trimmed(), Qt::CaseInsensitive));
    });
    m_list->setDragEnabled(true);
    m_list->setDragDropMode(QAbstractItemView::DragOnly);
    m_list->setDefaultDropAction(Qt::CopyAction);
    for (int i = 0; i < CatalogueSize; ++i)
        m_list->addItem(catalogueText(i));
    setWidget(panel);
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

#include "object_palette.moc"
