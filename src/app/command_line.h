#pragma once

#include <QString>
#include <QList>
#include <QStringList>

#include <utility>

namespace whoopline::shell {

// What the program was asked to do, read from its arguments before any application object
// exists: only the window needs a display.
struct CommandLine
{
    enum class Action
    {
        OpenWindow,  // the editor, with imagePath opened at start when it is given, and track loaded
        ShowHelp,    // text on standard output, exit 0
        ShowVersion, // text on standard output, exit 0
        ExportTrack, // track of imagePath as a PNG at outputPath
        MakePatch,   // the IPS patch from originalPath to modifiedPath at outputPath
        ExportTrackData, // track of imagePath as a track file at outputPath
        ImportTrackData, // imagePath with trackFiles' tracks in place, as a new image at outputPath
        Refuse,      // text (the reason) on standard error, exit 1
    };
    Action action = Action::OpenWindow;
    QString imagePath;
    int track = 0; // the track to export, or to load in the editor (0: none)
    bool force = false; // a file without an image's header is used all the same
    bool markAlternative = false; // the exported picture marks objects of the alternative track
    QString originalPath;
    QString modifiedPath;
    QString outputPath;
    QList<std::pair<int, QString>> trackFiles; // the tracks to import: number and track file
    QString text; // the help, the version or the reason for a refusal
};

// Reads the program's arguments, the program name first.
CommandLine ParseCommandLine(const QStringList &arguments);

// The same from main's own arguments. An argument that is not text in the system's encoding is
// refused: as text it would name another file.
CommandLine ParseCommandLine(int argc, const char *const argv[]);

} // namespace whoopline::shell
