#include "app/headless_commands.h"

#include "document/region_patch.h"
#include "edit/track_file.h"
#include "rom/image_file.h"
#include "rom/ips_patch.h"
#include "rom/output_policy.h"
#include "rom/whole_file.h"
#include "track/track_io.h"
#include "view/open_image.h"
#include "view/track_png.h"

#include <cstdio>

namespace whoopline::shell {

namespace {

constexpr int Succeeded = 0;
constexpr int Failed = 1;

void print(std::FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}

int fail(const QString &reason)
{
    print(stderr, reason.endsWith(u'\n') ? reason : reason + u'\n');
    return Failed;
}

// A file without an image's header is used only when the command says --force.
Status checkForeignImage(const CommandLine &command, const QString &path)
{
    const Status header = checkImageHeader(path);
    if (header || command.force)
        return Success{};
    return Failure{header.error() + QStringLiteral(" Give --force to use it all the same.")};
}

// The image and its track command.track, once the output spares the image and the image has a
// header (or --force): what both exports start from.
struct ExportedTrack
{
    view::OpenedImage image;
    track::LoadedTrack track;
};
Result<ExportedTrack> trackToExport(const CommandLine &command)
{
    if (const Status spared = checkOutputSparesInputs(command.outputPath, command.imagePath); !spared)
        return Failure{spared.error()};
    if (const Status image = checkForeignImage(command, command.imagePath); !image)
        return Failure{image.error()};
    auto opened = view::OpenImage(command.imagePath);
    if (!opened)
        return Failure{opened.error()};
    auto loaded = track::ReadTrack(command.imagePath, command.track, opened->ObjectWidthTable);
    if (!loaded)
        return Failure{loaded.error()};
    return ExportedTrack{std::move(opened).value(), std::move(loaded).value()};
}

Status exportTrack(const CommandLine &command)
{
    const auto exported = trackToExport(command);
    if (!exported)
        return Failure{exported.error()};
    const rom::RomGraphics &graphics = exported->image.graphics;
    return writeFileThrough(
        command.outputPath,
        [&](const WriteBytes &write) {
            return view::WriteTrackPng(exported->track.objects, graphics.picBuffer, graphics.picGFX,
                                       command.imagePath, command.markAlternative, write);
        },
        {QStringLiteral("The picture")});
}

Status makePatch(const CommandLine &command)
{
    const Status spared = checkOutputSparesInputs(command.outputPath, QString(),
                                                  {command.originalPath, command.modifiedPath});
    if (!spared)
        return spared;
    for (const QString &input : {command.originalPath, command.modifiedPath})
        if (const Status image = checkForeignImage(command, input); !image)
            return image;
    const auto patch = rom::MakeIpsPatchBetweenFiles(command.originalPath, command.modifiedPath);
    if (!patch)
        return Failure{patch.error()};
    if (patch->isEmpty())
        return Failure{
            QStringLiteral("\u201C%1\u201D and \u201C%2\u201D are the same: there is nothing to "
                           "patch, so nothing was written.")
                .arg(displayName(command.originalPath), displayName(command.modifiedPath))};
    return replaceFileWith(command.outputPath, *patch);
}

Status exportTrackData(const CommandLine &command)
{
    const auto exported = trackToExport(command);
    if (!exported)
        return Failure{exported.error()};
    return replaceFileWith(command.outputPath,
                           edit::WriteTrackFile(exported->track.laps, exported->track.objects).toUtf8(),
                           {QStringLiteral("The track file")});
}

// IMAGE with every track file's track in place, written as a new image all or nothing.
Status importTrackData(const CommandLine &command)
{
    QStringList inputs;
    for (const auto &[number, file] : command.trackFiles)
        inputs << file;
    if (const Status spared = checkOutputSparesInputs(command.outputPath, command.imagePath, inputs); !spared)
        return spared;
    if (const Status image = checkForeignImage(command, command.imagePath); !image)
        return image;
    const auto opened = view::OpenImage(command.imagePath);
    if (!opened)
        return Failure{opened.error()};
    auto image = readEntireFile(command.imagePath, rom::IpsLargestFile);
    if (!image)
        return Failure{image.error()};
    QList<document::TrackToSave> tracks;
    for (const auto &[number, path] : command.trackFiles) {
        for (const document::TrackToSave &earlier : tracks)
            if (earlier.track == number)
                return Failure{QStringLiteral("Track %1 is given twice; nothing was written.").arg(number)};
        const auto text = readEntireFile(path, edit::TrackFileLargestSize);
        if (!text)
            return Failure{text.error()};
        const auto file = edit::ReadTrackFile(QString::fromUtf8(*text), path);
        if (!file)
            return Failure{file.error()};
        const auto objects = edit::TrackFileObjects(*file, number, opened->ObjectWidthTable, path);
        if (!objects)
            return Failure{objects.error()};
        tracks.append({number, file->laps, *objects});
    }
    QByteArray bytes = std::move(image).value();
    if (const Status put = document::PutTracks(bytes, 1, tracks); !put)
        return put;
    return replaceFileWith(command.outputPath, bytes, {QStringLiteral("The image")});
}

} // namespace

int RunHeadless(const CommandLine &command)
{
    Status done = Success{};
    switch (command.action) {
    case CommandLine::Action::ShowHelp:
    case CommandLine::Action::ShowVersion:
        print(stdout, command.text);
        return Succeeded;
    case CommandLine::Action::Refuse:
        return fail(command.text);
    case CommandLine::Action::OpenWindow:
        return fail(QStringLiteral("The editor needs its window."));
    case CommandLine::Action::ExportTrack:
        done = exportTrack(command);
        break;
    case CommandLine::Action::MakePatch:
        done = makePatch(command);
        break;
    case CommandLine::Action::ExportTrackData:
        done = exportTrackData(command);
        break;
    case CommandLine::Action::ImportTrackData:
        done = importTrackData(command);
        break;
    }
    return done ? Succeeded : fail(done.error());
}

} // namespace whoopline::shell
