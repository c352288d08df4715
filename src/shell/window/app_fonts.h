#pragma once

#include <QFont>

// The editor's windows are designed around two classic fonts at 8.25 pt. Their names stay in the
// code; registerFontFamilies() makes both names resolve to the nearest fonts on this machine.
namespace whoopline::shell {

inline constexpr const char *WindowFontFamily = "MS Sans Serif";
inline constexpr const char *ValueFontFamily = "Courier New";
inline constexpr qreal DesignPointSize = 8.25;

// A free clone of the window font ships as a bitmap font outside fontconfig's path.
inline constexpr const char *WindowFontFile = "/usr/share/wine/fonts/ms_sans_serif.ttf";
inline constexpr const char *WindowFontFallback = "Liberation Sans";

// Loads the window font's clone when it is installed and the display is not scaled (its glyphs
// are fixed-size bitmaps), else maps the font's name onto the fallback.
// Safe to call more than once. The value font needs nothing: fontconfig maps it onto Liberation
// Mono.
void registerFontFamilies();

// The window's default font: buttons, check box, menus and the "Length:" label.
QFont windowFont();
// The bold caption labels.
QFont captionFont();
// Value labels and number boxes.
QFont valueFont();

} // namespace whoopline::shell
