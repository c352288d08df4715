#include "shell/window/app_fonts.h"

#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>

namespace whoopline::shell {

void registerFontFamilies()
{
    static bool registered = false;
    if (registered)
        return;
    registered = true;

    // The clone's glyphs are bitmaps drawn for 96 dpi: they only look right at scale factor 1.
    const bool unscaled = qGuiApp == nullptr || qGuiApp->devicePixelRatio() == 1.0;
    if (unscaled && QFile::exists(WindowFontFile) &&
        QFontDatabase::addApplicationFont(WindowFontFile) != -1)
        return;
    QFont::insertSubstitution(WindowFontFamily, WindowFontFallback);
}

QFont windowFont()
{
    QFont font(WindowFontFamily);
    font.setPointSizeF(DesignPointSize);
    return font;
}

QFont captionFont()
{
    QFont font = windowFont();
    font.setBold(true);
    return font;
}

QFont valueFont()
{
    QFont font(ValueFontFamily);
    font.setPointSizeF(DesignPointSize);
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

} // namespace whoopline::shell
