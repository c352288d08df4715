#include "image_promises.h"

#include "image_builder.h"
#include "object_catalogue.h"
#include "object_replacement.h"
#include "object_widths.h"
#include "open_image.h"
#include "road_oracles.h"
#include "rom_layout.h"
#include "track_codec.h"
#include "track_invariants.h"
#include "track_io.h"
#include "track_view.h"

#include <QFile>

#include <algorithm>

namespace whoopline::testing {

using namespace whoopline::track;

namespace {

bool writeWholeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

QString unchanged(const QString &path, const QByteArray &expected, const QString &after)
{
    if (readWholeFile(path) != expected)
        return QStringLiteral("the file changed %1.").arg(after);
    return {};
}

// The region's laps byte and object bytes as the file holds them.
QByteArray regionInFile(const QByteArray &file, int track, int objectBytes)
{
    return file.mid(offsetOf(trackStartPosition(track)), 1 + objectBytes);
}

QByteArray regionOf(int laps, const TrackObjectList &objects)
{
    return char(laps) + EncodeTrackObjects(objects);
}

QString checkRedraws(TrackModel model, const view::OpenedImage &opened, const QString &path,
                     quint32 mix)
{
    const int picks[RedrawsPerTrack] = {0, model.lastIndex(),
                                        int(mix % quint32(model.TrackObjects.size()))};
    for (int current : picks) {
        model.CurrentObject = current;
        const QString violation =
            RedrawViolation(model, view::RenderTrackView(model, opened.graphics.picBuffer,
                                                         opened.graphics.picGFX, path));
        if (!violation.isEmpty())
            return violation;
    }
    return {};
}

// Saves the model into copy, which holds image, and checks what reached it.
QString checkSave(const QByteArray &image, const QString &copy, int laps, const TrackModel &model,
                  bool mustSucceed)
{
    const int track = model.CurrentTrack;
    const Status saved = WriteTrack(copy, track, laps, model.TrackObjects);
    const QByteArray after = readWholeFile(copy);
    if (!saved) {
        if (mustSucceed)
            return QStringLiteral("saving track %1 unchanged was refused: %2")
                .arg(track)
                .arg(saved.error());
        if (!saved.error().startsWith(QStringLiteral("Track %1 could not be saved: ").arg(track)))
            return QStringLiteral("a refused save says: %1").arg(saved.error());
        return after == image
                   ? QString()
                   : QStringLiteral("a refused save of track %1 changed the file.").arg(track);
    }
    const QString outside = ChangeOutsideTrackRegion(image, after, track);
    if (!outside.isEmpty())
        return outside;
    if (regionInFile(after, track, ByteTotal(model.TrackObjects)) !=
        regionOf(laps, model.TrackObjects))
        return QStringLiteral("the saved region of track %1 is not the model.").arg(track);
    return {};
}

QString checkTrack(const QByteArray &image, const QString &path, const QString &copy, int track,
                   const view::OpenedImage &opened)
{
    const ObjectWidthTable &widths = opened.ObjectWidthTable;
    const auto loaded = ReadTrack(path, track, widths);
    if (!loaded) {
        if (!loaded.error().startsWith(QStringLiteral("Track %1 cannot be loaded: ").arg(track)) ||
            loaded.error().size() < 40)
            return QStringLiteral("a refused load says: %1").arg(loaded.error());
        return {};
    }
    if (QString violation = LoadedTrackViolation(image, track, *loaded, widths);
        !violation.isEmpty())
        return violation;

    TrackModel model{loaded->objects, track, 0};
    const quint32 mix = quint32(loaded->laps) * 2654435761u ^
                        quint32(loaded->objects.size()) * 40503u ^
                        quint32(loaded->objects.last().code()) << 8;
    if (QString violation = checkRedraws(model, opened, path, mix); !violation.isEmpty())
        return violation;
    // Saved unchanged, the track must leave the copy as it was, ready for the edited save.
    if (!writeWholeFile(copy, image))
        return QStringLiteral("the copy could not be written.");
    if (QString violation = checkSave(image, copy, loaded->laps, model, true); !violation.isEmpty())
        return violation;

    // One edit picked from the track's own bytes, then a save that may be refused.
    model.CurrentObject = int((mix >> 4) % quint32(model.TrackObjects.size()));
    const int objectNumber = edit::ListObjectNumbers()[(mix >> 2) % edit::CatalogueSize];
    const TrackModel before = model;
    if (!edit::ReplaceCurrentObject(model, objectNumber, int(mix % 300), widths) &&
        (model.TrackObjects != before.TrackObjects || model.CurrentObject != before.CurrentObject))
        return QStringLiteral("a refused replacement changed track %1.").arg(track);
    edit::ToggleAlternative(model, (mix & 1) != 0);
    if (QString violation = TrackInvariantViolation(model.TrackObjects, widths);
        !violation.isEmpty())
        return violation;
    if (model.CurrentObject < 0 || model.CurrentObject > model.lastIndex())
        return QStringLiteral("the current object of track %1 is %2.")
            .arg(track)
            .arg(model.CurrentObject);
    const int laps = 1 + int(mix % MaximumLaps);
    return checkSave(image, copy, laps, model, false);
}

} // namespace

QString WidthTableViolation(const ObjectWidthTable &widths)
{
    for (int id = 0; id < ObjectIdCount; ++id) {
        const int width = widths[id];
        if (width < 16 || width > view::MaximumObjectWidth || width % 16 != 0)
            return QStringLiteral("object %1 has the width %2.").arg(id).arg(width);
    }
    return {};
}

QString LoadedTrackViolation(const QByteArray &file, int track, const LoadedTrack &loaded,
                             const ObjectWidthTable &widths)
{
    const QString violation = TrackInvariantViolation(loaded.objects, widths);
    if (!violation.isEmpty())
        return violation;
    const int total = ByteTotal(loaded.objects);
    const int budget = trackByteBudget(track);
    if (total != budget && total != budget + 1)
        return QStringLiteral("track %1 loaded %2 object bytes from a region of %3.")
            .arg(track)
            .arg(total)
            .arg(budget);
    if (loaded.laps < MinimumLaps || loaded.laps > MaximumLaps ||
        regionInFile(file, track, total) != regionOf(loaded.laps, loaded.objects))
        return QStringLiteral("track %1 loaded laps or objects the file does not hold there.")
            .arg(track);
    return {};
}

QString ChangeOutsideTrackRegion(const QByteArray &before, const QByteArray &after, int track)
{
    if (after.size() != before.size())
        return QStringLiteral("the file's size changed from %1 to %2.")
            .arg(before.size())
            .arg(after.size());
    const qint64 first = offsetOf(trackStartPosition(track));
    const qint64 last = first + trackByteBudget(track);
    if (before.first(std::min(first, before.size())) ==
            after.first(std::min(first, after.size())) &&
        before.sliced(std::min(last + 1, before.size())) ==
            after.sliced(std::min(last + 1, after.size())))
        return {};
    for (qint64 offset = 0; offset < before.size(); ++offset) {
        if (before.at(offset) != after.at(offset) && (offset < first || offset > last))
            return QStringLiteral("a save of track %1 changed position %2, outside its region.")
                .arg(track)
                .arg(offset + 1);
    }
    return {};
}

QString CheckImagePromises(const QByteArray &image, const QString &folder)
{
    const QString path = folder + QStringLiteral("/image.nes");
    const QString copy = folder + QStringLiteral("/copy.nes");
    if (!writeWholeFile(path, image))
        return QStringLiteral("the image could not be written into %1.").arg(folder);

    const auto opened = view::OpenImage(path);
    const bool longEnough = image.size() >= rom::MinimumImageSize;
    if (!opened) {
        if (longEnough ||
            !opened.error().contains(QStringLiteral("a cartridge image needs at least 24,592")))
            return QStringLiteral("opening was refused: %1").arg(opened.error());
        return unchanged(path, image, QStringLiteral("when it was opened"));
    }
    if (!longEnough)
        return QStringLiteral("an image of %1 bytes was opened.").arg(image.size());
    if (opened->graphics.picGFX.size() != QSize(rom::SheetWidth, rom::SheetHeight) ||
        opened->graphics.picBuffer.size() != QSize(rom::ViewWidth, rom::ViewHeight))
        return QStringLiteral("the tile sheet or the background has the wrong size.");
    if (QString violation = WidthTableViolation(opened->ObjectWidthTable); !violation.isEmpty())
        return violation;

    for (int track = 1; track <= TrackCount; ++track) {
        if (QString violation = checkTrack(image, path, copy, track, *opened); !violation.isEmpty())
            return violation;
    }
    return unchanged(path, image, QStringLiteral("while it was only read"));
}

} // namespace whoopline::testing
