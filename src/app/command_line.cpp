#include "app/command_line.h"

#include "track/track_layout.h"

#include <QCommandLineParser>
#include <QFile>
#include <QRegularExpression>

namespace whoopline::shell {

namespace {

const QString Version = QStringLiteral("1.0b");

CommandLine refuse(const QString &reason)
{
    CommandLine refused;
    refused.action = CommandLine::Action::Refuse;
    refused.text = reason + QStringLiteral("\nTry \u201Cwhoopline --help\u201D.\n");
    return refused;
}

// The parser quotes names in straight quotes; every other text of the program uses curly ones.
QString curlyQuoted(QString text)
{
    static const QRegularExpression quoted(QStringLiteral("'([^']*)'"));
    return text.replace(quoted, QStringLiteral("\u201C\\1\u201D"));
}

} // namespace

CommandLine ParseCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Whoopline, a track editor for NES cartridge images.\n\n"
        "  whoopline [IMAGE]                                  "
        "the editor, with IMAGE open\n"
        "  whoopline --track N IMAGE                          "
        "the editor, with track N of IMAGE loaded\n"
        "  whoopline --export-track N --output OUT.png IMAGE  "
        "track N (1 to 5) as a picture\n"
        "  whoopline --make-patch ORIGINAL MODIFIED --output OUT.ips\n"
        "      an IPS patch that turns ORIGINAL into MODIFIED (files of the same size)\n"
        "  whoopline --export-track-data N --output OUT.track IMAGE\n"
        "      track N as a track file of text\n"
        "  whoopline --import-track-data N FILE.track [--import-track-data M FILE.track ...]\n"
        "            --output OUT.nes IMAGE\n"
        "      a new image: IMAGE with those tracks taken from their track files"));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Shows this help."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Shows the version."));
    const QCommandLineOption exportTrack(
        QStringLiteral("export-track"),
        QStringLiteral("Writes track N of IMAGE as a PNG picture to --output."),
        QStringLiteral("N"));
    const QCommandLineOption loadTrack(
        QStringLiteral("track"), QStringLiteral("Opens IMAGE in the editor with track N loaded."),
        QStringLiteral("N"));
    const QCommandLineOption makePatch(
        QStringLiteral("make-patch"),
        QStringLiteral("Writes an IPS patch from ORIGINAL to MODIFIED to --output."));
    const QCommandLineOption output(
        QStringLiteral("output"), QStringLiteral("The file a command without the window writes."),
        QStringLiteral("FILE"));
    const QCommandLineOption markAlternative(
        QStringLiteral("mark-alternative"),
        QStringLiteral("Marks the objects of the alternative track in --export-track's picture."));
    const QCommandLineOption force(
        QStringLiteral("force"),
        QStringLiteral("Uses files that do not start with a cartridge image's header all the same."));
    const QCommandLineOption exportTrackData(
        QStringLiteral("export-track-data"),
        QStringLiteral("Writes track N of IMAGE as a track file to --output."), QStringLiteral("N"));
    const QCommandLineOption importTrackData(
        QStringLiteral("import-track-data"),
        QStringLiteral("Takes track N from the track file after it; repeatable. Writes IMAGE with "
                       "those tracks to --output."),
        QStringLiteral("N"));
    parser.addOptions({help, version, exportTrack, loadTrack, makePatch, output, markAlternative, force,
                       exportTrackData, importTrackData});
    parser.addPositionalArgument(QStringLiteral("IMAGE"),
                                 QStringLiteral("The cartridge image (.nes) to open."),
                                 QStringLiteral("[IMAGE]"));

    if (!parser.parse(arguments))
        return refuse(curlyQuoted(parser.errorText()));
    CommandLine command;
    if (parser.isSet(help)) {
        command.action = CommandLine::Action::ShowHelp;
        // Read before any application object exists, the help can't name the program itself.
        command.text = parser.helpText().replace(QStringLiteral("<executable_name>"),
                                                 QStringLiteral("whoopline"));
        return command;
    }
    if (parser.isSet(version)) {
        command.action = CommandLine::Action::ShowVersion;
        command.text = QStringLiteral("Whoopline %1\n").arg(Version);
        return command;
    }

    const QStringList files = parser.positionalArguments();
    const int headless = int(parser.isSet(exportTrack)) + int(parser.isSet(makePatch)) +
                         int(parser.isSet(exportTrackData)) + int(parser.isSet(importTrackData));
    if (headless > 1)
        return refuse(QStringLiteral("Use one of --export-track, --make-patch, --export-track-data "
                                     "and --import-track-data at a time."));
    if (headless == 1) {
        if (!parser.isSet(output))
            return refuse(QStringLiteral("Name the file to write with --output."));
        command.outputPath = parser.value(output);
    } else if (parser.isSet(output) || parser.isSet(force)) {
        return refuse(QStringLiteral("--%1 goes with --export-track, --make-patch, --export-track-data or "
                                     "--import-track-data.").arg(parser.isSet(output) ? "output" : "force"));
    }
    if (parser.isSet(exportTrackData) || parser.isSet(importTrackData)) {
        if (parser.isSet(loadTrack) || parser.isSet(markAlternative))
            return refuse(QStringLiteral("--%1 does not go with the track files.")
                              .arg(parser.isSet(loadTrack) ? "track" : "mark-alternative"));
        const QStringList numbers = parser.values(parser.isSet(exportTrackData) ? exportTrackData : importTrackData);
        for (const QString &number : numbers) {
            const int track = number.toInt();
            if (!track::isTrackNumber(track) || QString::number(track) != number)
                return refuse(QStringLiteral("The track number must be 1 to %1, not \u201C%2\u201D.").arg(track::TrackCount).arg(number));
            command.trackFiles.append({track, QString()});
        }
        if (parser.isSet(exportTrackData) && (numbers.size() != 1 || files.size() != 1))
            return refuse(QStringLiteral("--export-track-data takes one track of one cartridge image."));
        if (parser.isSet(importTrackData) && files.size() != numbers.size() + 1)
            return refuse(QStringLiteral("Give each --import-track-data its track number and its track file, "
                                         "then the cartridge image."));
        for (qsizetype i = 0; i + 1 < files.size(); ++i)
            command.trackFiles[i].second = files[i];
        command.action = parser.isSet(exportTrackData) ? CommandLine::Action::ExportTrackData
                                                       : CommandLine::Action::ImportTrackData;
        command.track = command.trackFiles.constFirst().first;
        command.imagePath = files.constLast();
        command.force = parser.isSet(force);
        return command;
    }

    if (parser.isSet(markAlternative) && !parser.isSet(exportTrack))
        return refuse(QStringLiteral("--mark-alternative goes with --export-track."));
    command.markAlternative = parser.isSet(markAlternative);
    command.force = parser.isSet(force);

    const QCommandLineOption &trackOption = parser.isSet(exportTrack) ? exportTrack : loadTrack;
    if (parser.isSet(trackOption)) {
        bool isNumber = false;
        command.track = parser.value(trackOption).toInt(&isNumber);
        if (!isNumber || command.track < 1 || command.track > track::TrackCount)
            return refuse(QStringLiteral("The track number must be 1 to %1, not \u201C%2\u201D.")
                              .arg(track::TrackCount)
                              .arg(parser.value(trackOption)));
    }
    if (parser.isSet(loadTrack) && (parser.isSet(exportTrack) || parser.isSet(makePatch)))
        return refuse(QStringLiteral("--track goes with the editor, not with --export-track or "
                                     "--make-patch."));
    if (parser.isSet(loadTrack) && files.isEmpty())
        return refuse(QStringLiteral("--track needs the cartridge image to open."));

    if (parser.isSet(exportTrack)) {
        if (files.size() != 1)
            return refuse(QStringLiteral("--export-track needs one cartridge image."));
        command.action = CommandLine::Action::ExportTrack;
        command.imagePath = files.constFirst();
    } else if (parser.isSet(makePatch)) {
        if (files.size() != 2)
            return refuse(
                QStringLiteral("--make-patch needs two files: the original and the modified one."));
        command.action = CommandLine::Action::MakePatch;
        command.originalPath = files.at(0);
        command.modifiedPath = files.at(1);
    } else {
        if (files.size() > 1)
            return refuse(QStringLiteral("The editor opens one cartridge image at a time."));
        command.imagePath = files.value(0);
    }
    return command;
}

CommandLine ParseCommandLine(int argc, const char *const argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
        if (QFile::encodeName(arguments.constLast()) != argv[i])
            return refuse(QStringLiteral("The argument \u201C%1\u201D holds bytes that are not text "
                                         "in the system's encoding, so it can't be used as a file "
                                         "name. Rename the file.")
                              .arg(arguments.constLast()));
    }
    return ParseCommandLine(arguments);
}

} // namespace whoopline::shell
