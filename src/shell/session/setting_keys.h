#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariantMap>

// Everything the editor remembers between runs, each under one key with its type and default.
namespace whoopline::shell {

template <typename T> struct Setting
{
    const char *key;
    T defaultValue;
};

namespace Settings {

// The play test's emulator command; %f marks where the image's path goes.
inline const Setting<QString> EmulatorCommand{"playTest/emulatorCommand", {}};
// The folder the Open dialog showed last.
inline const Setting<QString> LastOpenFolder{"files/lastOpenFolder", {}};
// Recent images, newest first.
inline const Setting<QStringList> RecentFiles{"files/recent", {}};
// The track last shown in each recent image, by path: a recent image opens with it.
inline const Setting<QVariantMap> RecentTracks{"files/recentTracks", {}};
// The View menu's choices.
inline const Setting<bool> TrackOverviewShown{"view/trackOverview", true};
inline const Setting<bool> AlternativeMarksShown{"view/markAlternative", true};
inline const Setting<bool> ResizableWindow{"view/resizableWindow", false};
// The object palette: whether it showed, and its place as plain values ("x y width height" while
// it floats). A window state would go to Qt unchecked, and a damaged one can end every start.
inline const Setting<bool> PaletteShown{"view/objectPalette", false};
inline const Setting<bool> PaletteOnTheLeft{"view/objectPaletteLeft", false};
inline const Setting<bool> PaletteFloating{"view/objectPaletteFloating", false};
inline const Setting<QByteArray> PaletteGeometry{"view/objectPaletteGeometry", {}};

} // namespace Settings

} // namespace whoopline::shell
