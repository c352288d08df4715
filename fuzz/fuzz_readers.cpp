#include "document/image_document.h"
#include "edit/object_clipboard.h"
#include "edit/track_file.h"
#include "view/picture_stream.h"
#include "view/track_overview.h"
#include "view/track_view.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QMimeData>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

// libFuzzer hands each input to every reader the editor has: as a cartridge image it is opened,
// its five tracks read and drawn as the strip and the overview; as clipboard text, as our own
// clipboard form and as a track file it is parsed. Nothing is written back, so thousands of inputs run a second. A
// crash, a sanitizer report or a picture of the wrong size stops the run.
namespace {

QString imageFile()
{
    const QString base =
        QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    static const QTemporaryDir folder(base + QStringLiteral("/whoopline-fuzz-XXXXXX"));
    if (!folder.isValid()) {
        std::fprintf(stderr, "No folder for the fuzz run's files under %s.\n", qPrintable(base));
        std::abort();
    }
    return folder.filePath(QStringLiteral("input.nes"));
}

void broken(const char *promise)
{
    std::fprintf(stderr, "Broken promise: %s\n", promise);
    std::abort();
}

void readImage(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        broken("the input could be written to a file");
    file.close();
    whoopline::document::ImageDocument doc;
    if (!doc.open(path))
        return;
    const auto read = whoopline::view::PictureStream::read(path);
    const std::optional<whoopline::view::PictureStream> stream = read ? std::optional(*read) : std::nullopt;
    const auto &graphics = doc.graphics();
    // The overview's squares come from pictures of the same sizes in every image: made once, so
    // that each input's time goes to laying out its own track.
    static const auto tiles = whoopline::view::MakeOverviewTiles(QImage(graphics.picBuffer.size(), QImage::Format_RGB32),
                                                                 QImage(graphics.picGFX.size(), QImage::Format_RGB32));
    // Every track is read; one, picked by the input, is drawn as the strip and the overview.
    const int drawn = 1 + int(quint8(bytes.at(bytes.size() / 2)) % 5);
    for (int track = 1; track <= 5; ++track) {
        if (!doc.showTrack(track) || track != drawn)
            continue;
        whoopline::view::DrawTrackOverview(doc.track().TrackObjects, tiles, stream, track % 2 == 0);
        const auto view = whoopline::view::RenderTrackView(doc.track(), graphics.picBuffer,
                                                           graphics.picGFX, path, true);
        if (view.strip.size() != graphics.picBuffer.size())
            broken("the strip has the track view's size");
    }
}

void readClipboard(const QByteArray &bytes)
{
    const auto fromText = whoopline::edit::ObjectBytesFromText(QString::fromLatin1(bytes.left(512)));
    QMimeData data;
    data.setData(whoopline::edit::ObjectsMimeType, bytes.left(512));
    const auto fromMime = whoopline::edit::ObjectBytesFromMimeData(data);
    // What either form accepts is a whole run, which the text form gives back unchanged.
    for (const auto *run : {&fromText, &fromMime}) {
        if (!*run)
            continue;
        const auto again = whoopline::edit::ObjectBytesFromText(whoopline::edit::ObjectBytesToText(**run));
        if (!again || *again != **run)
            broken("an accepted run survives its text form");
    }
}

// What a track file is accepted with goes into each track it fits, and written out and read
// again it gives that track the same objects and laps.
void readTrackFile(const QByteArray &bytes)
{
    using namespace whoopline;
    const QString name = QStringLiteral("input.track");
    const auto file = edit::ReadTrackFile(QString::fromUtf8(bytes.left(4096)), name);
    if (!file)
        return;
    if (file->laps < 1 || file->laps > 255)
        broken("accepted laps lie in 1..255");
    track::ObjectWidthTable widths{};
    widths.fill(16);
    for (int track = 1; track <= 5; ++track) {
        const auto objects = edit::TrackFileObjects(*file, track, widths, name);
        if (!objects)
            continue;
        const auto again = edit::ReadTrackFile(edit::WriteTrackFile(file->laps, *objects), name);
        const auto placed = again ? edit::TrackFileObjects(*again, track, widths, name) : objects;
        if (!again || again->laps != file->laps || !placed || *placed != *objects)
            broken("a track written as a file reads back the same");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const QString path = imageFile();
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    readImage(path, bytes);
    readClipboard(bytes);
    readTrackFile(bytes);
    return 0;
}
