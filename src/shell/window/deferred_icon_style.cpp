#include "shell/window/deferred_icon_style.h"

#include <QApplication>
#include <QIconEngine>

#include <functional>
#include <utility>

namespace whoopline::shell {

namespace {

// An icon that asks for the real one on its first use.
class DeferredIconEngine : public QIconEngine
{
public:
    explicit DeferredIconEngine(std::function<QIcon()> make) : m_make(std::move(make)) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }
    QIconEngine *clone() const override { return new DeferredIconEngine(*this); }

private:
    const QIcon &icon()
    {
        if (m_icon.isNull() && m_make)
            m_icon = std::exchange(m_make, nullptr)();
        return m_icon;
    }

    std::function<QIcon()> m_make;
    QIcon m_icon;
};

} // namespace

DeferredIconStyle::DeferredIconStyle(const QString &baseStyleName) : QProxyStyle(baseStyleName) {}

QIcon DeferredIconStyle::standardIcon(StandardPixmap icon, const QStyleOption *option,
                                      const QWidget *widget) const
{
    if (icon != SP_ToolBarHorizontalExtensionButton)
        return QProxyStyle::standardIcon(icon, option, widget);
    // Made without the widget, which may be gone by then; the style lives as long as the
    // application.
    return QIcon(new DeferredIconEngine([this, icon] { return QProxyStyle::standardIcon(icon); }));
}

void useDeferredIconStyle()
{
    if (qobject_cast<DeferredIconStyle *>(QApplication::style()) == nullptr)
        QApplication::setStyle(new DeferredIconStyle(QApplication::style()->name()));
}

} // namespace whoopline::shell
