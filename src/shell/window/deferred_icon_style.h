#pragma once

#include <QProxyStyle>

namespace whoopline::shell {

// The application's style, except that the icon of the menu bar's extension button is made when
// it is first drawn. That button shows only when the menus don't fit, never in the main window,
// yet every menu bar asks for its icon when it is built, and loading it loads all of Qt's
// image-format plugins: a fifth of the window's start-up.
class DeferredIconStyle : public QProxyStyle
{
    Q_OBJECT

public:
    explicit DeferredIconStyle(const QString &baseStyleName);

    QIcon standardIcon(StandardPixmap icon, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;
};

// Makes the application's style a DeferredIconStyle over the style in use, once; later calls do
// nothing. Call it before the first menu bar is built.
void useDeferredIconStyle();

} // namespace whoopline::shell
