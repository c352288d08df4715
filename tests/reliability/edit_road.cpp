#include "edit_road.h"

#include "current_object_edit.h"
#include "file_state.h"
#include "navigation.h"
#include "object_catalogue.h"
#include "object_replacement.h"
#include "open_image.h"
#include "rom_layout.h"
#include "selection_exchange.h"
#include "track_codec.h"
#include "track_invariants.h"
#include "track_io.h"
#include "track_view.h"

#include <QRandomGenerator>

#include <algorithm>
#include <optional>
#include <tuple>

namespace whoopline::testing {

using namespace whoopline::track;

namespace {

constexpr int MaximumLength = 255;

// text with %1, %2... replaced by values in turn.
template <typename... Values> QString told(const char *text, const Values &...values)
{
    QString result = QString::fromUtf8(text);
    ((result = result.arg(values)), ...);
    return result;
}

// How actual differs from expected, empty when it does not.
QString difference(const FileState &expected, const FileState &actual)
{
    if (actual == expected)
        return {};
    static const char *const kinds[] = {"nothing", "a folder", "a special file", "a file"};
    const QByteArray &a = actual.bytes, &e = expected.bytes;
    const auto at = std::mismatch(a.begin(), a.end(), e.begin(), e.end()).first - a.begin();
    return told("the path holds %1 of %2 bytes where %3 of %4 was expected, from position %5 on.",
                kinds[actual.kind], a.size(), kinds[expected.kind], e.size(), at + 1);
}

// What the window's handlers walk through, held as the window holds it.
struct EditRoad
{
    using Action = QString (EditRoad::*)();

    const RoadImage &image;
    QRandomGenerator random;
    const QString path;
    const bool fileFaults;
    RoadFigures &figures;
    std::array<LoadExpectation, TrackCount> tracks = image.tracks;
    FileState expected{FileState::File, image.bytes};
    std::optional<view::OpenedImage> opened{};
    TrackModel model{};
    int laps = 0;
    int loading = 0; // the track the next load reads

    QString walk()
    {
        ++figures.images;
        if (!putFileState(path, expected))
            return QStringLiteral("the image could not be written.");
        QString broken = step("open", &EditRoad::open);
        for (int i = 0; i < 2 && broken.isEmpty() && opened; ++i)
            broken = randomStep(); // before any track is loaded
        std::array<int, TrackCount> order{1, 2, 3, 4, 5};
        std::shuffle(order.begin(), order.end(), random);
        for (int track : order) {
            if (!broken.isEmpty() || !opened)
                return broken;
            loading = track;
            broken = step(told("load track %1", track), &EditRoad::load);
            for (int i = int(random.bounded(6, 17)); i > 0 && broken.isEmpty(); --i)
                broken = randomStep();
            if (broken.isEmpty())
                broken = step("save", &EditRoad::save);
        }
        return broken;
    }

    QString step(const QString &name, Action action)
    {
        ++figures.steps;
        QString broken = (this->*action)();
        if (broken.isEmpty())
            broken = checkState();
        return broken.isEmpty()
                   ? broken
                   : told("%1, step %2 (%3, track %4 object %5 loaded): %6", image.kind,
                          figures.steps, name, model.CurrentTrack, model.CurrentObject, broken);
    }

    QString randomStep()
    {
        static constexpr std::tuple<int, const char *, Action> steps[] = {
            {35, "navigate", &EditRoad::navigate}, {55, "replace", &EditRoad::replace},
            {70, "toggle", &EditRoad::toggle},     {83, "save", &EditRoad::save},
            {95, "redraw", &EditRoad::redraw},     {100, "file fault", &EditRoad::injectFault}};
        const int pick = int(random.bounded(fileFaults ? 100 : 95));
        for (const auto &[below, name, action] : steps) {
            if (pick < below)
                return step(name, action);
        }
        return {};
    }

    const ObjectWidthTable &widths() const { return opened->ObjectWidthTable; }

    // The file as the steps so far must have left it, and a model whose objects keep their
    // invariants within the region, which only a span on its last byte passes, by its length.
    QString checkState() const
    {
        if (QString changed = difference(expected, observeFile(path)); !changed.isEmpty())
            return changed;
        if (!model.isLoaded())
            return {};
        const int total = ByteTotal(model.TrackObjects);
        const int budget = trackByteBudget(model.CurrentTrack);
        if (total > budget + 1 || (total == budget + 1 && !model.TrackObjects.last().isSpan()))
            return told("the model holds %1 object bytes for a region of %2.", total, budget);
        if (model.CurrentObject < 0 || model.CurrentObject > model.lastIndex())
            return told("CurrentObject lies outside 0..%1.", model.lastIndex());
        return TrackInvariantViolation(model.TrackObjects, widths());
    }

    QString open()
    {
        auto result = view::OpenImage(path);
        const bool longEnough = image.bytes.size() >= rom::MinimumImageSize;
        if (!result)
            return longEnough || !result.error().contains("a cartridge image needs at least 24,592")
                       ? told("opening was refused: %1", result.error())
                       : QString();
        if (!longEnough)
            return QStringLiteral("an image too short to hold the tiles was opened.");
        opened = std::move(result).value();
        return {};
    }

    QString load()
    {
        ++figures.loads;
        const auto loaded = ReadTrack(path, loading, widths());
        const LoadExpectation expectation = tracks[loading - 1];
        if (!loaded) {
            ++figures.refusedLoads;
            const bool explained =
                loaded.error().startsWith(told("Track %1 cannot be loaded: ", loading));
            return expectation == LoadExpectation::Loads || !explained
                       ? told("the load was refused: %1", loaded.error())
                       : QString(); // the model keeps the track loaded before
        }
        if (expectation == LoadExpectation::Refused)
            return QStringLiteral("a track that must be refused was loaded.");
        // The region's bytes: laps 1..255, the budget's objects and a length after it, if any.
        const int total = ByteTotal(loaded->objects);
        const QByteArray region = char(loaded->laps) + EncodeTrackObjects(loaded->objects);
        if (loaded->laps < MinimumLaps || loaded->laps > MaximumLaps ||
            total < trackByteBudget(loading) ||
            expected.bytes.mid(offsetOf(trackStartPosition(loading)), region.size()) != region)
            return told("laps %1 and %2 object bytes loaded that the file does not hold there.",
                        loaded->laps, total);
        model = TrackModel{loaded->objects, loading, 0};
        laps = loaded->laps;
        return {};
    }

    QString navigate()
    {
        model.CurrentObject = view::Navigate(view::NavigationButton(random.bounded(6)),
                                             model.CurrentObject, model.lastIndex());
        return redraw();
    }

    QString redraw()
    {
        const auto drawn =
            view::RenderTrackView(model, opened->graphics.picBuffer, opened->graphics.picGFX, path);
        const bool loaded = model.isLoaded();
        if (drawn.strip.size() != QSize(rom::ViewWidth, rom::ViewHeight) ||
            drawn.currentObjectText != (loaded ? FormatObjectByte(model.current().code()) : "") ||
            drawn.markerWidth != (loaded ? model.current().Width : 0))
            return told("the redraw shows %1, %2 wide.", drawn.currentObjectText,
                        drawn.markerWidth);
        return {};
    }

    // The "..." button: the selector opens over the current object, and OK hands back a
    // catalogue object and a length, now and then one out of range. Cancel, no track and a
    // refusal leave the track as it was; a replacement puts the choice in the current object's
    // place and moves nothing before it.
    QString replace()
    {
        static constexpr int lengths[] = {-1, 256, 0, MaximumLength};
        const int number = edit::ListObjectNumbers()[random.bounded(edit::CatalogueSize)];
        const int length = random.bounded(3) == 0 ? lengths[random.bounded(4)]
                                                  : int(random.bounded(MaximumLength + 1));
        const bool ok = random.bounded(5) != 0;
        const TrackModel before = model;
        const Status status = edit::EditCurrentObject(model, widths(), [&] {
            if (ok)
                std::tie(edit::SelectedObjectNumber, edit::SelectedLength) =
                    std::tie(number, length);
            return ok;
        });
        const int c = before.CurrentObject;
        if (!status || !ok || !before.isLoaded())
            return (status || !status.error().isEmpty()) && model.CurrentObject == c &&
                           model.TrackObjects == before.TrackObjects
                       ? QString()
                       : told("replacing by %1 length %2 changed the track or was refused "
                              "without a word: %3",
                              number, length, status.error());
        if (model.CurrentObject != c || c > model.lastIndex() || model.current().code() != number ||
            model.current().length() != (isSpanCode(number) ? length : 0) ||
            model.TrackObjects.mid(0, c) != before.TrackObjects.mid(0, c))
            return told("replacing by %1 length %2 gave another track.", number, length);
        return {};
    }

    // A click on the alternative box, which then asks for the opposite of what it showed. Only a
    // one-byte object takes the mark, and the box shows the mark the object now has.
    QString toggle()
    {
        const TrackObjectList before = model.TrackObjects;
        const bool markable = model.isLoaded() && !model.current().isSpan();
        const bool checked = markable ? !model.current().Alternative : random.bounded(2) == 0;
        const bool shown = edit::ToggleAlternative(model, checked);
        if (markable ? shown != checked || model.current().Alternative != checked
                     : shown || model.TrackObjects != before)
            return told("a click asking for %1 showed %2.", checked, shown);
        return {};
    }

    // Succeeds exactly when a track is loaded and the file still reaches the last byte to write,
    // which past the region must hold its value already. Then the file is what it was with the
    // laps byte and the object bytes at the region's start.
    QString save()
    {
        ++figures.saves;
        if (random.bounded(3) == 0) // the laps were changed before
            laps = int(random.bounded(MinimumLaps, MaximumLaps + 1));
        const int track = model.CurrentTrack;
        const Status saved = WriteTrack(path, track, laps, model.TrackObjects);
        FileState after = expected;
        bool fits = model.isLoaded() && after.kind == FileState::File;
        if (fits) {
            const QByteArray region = char(laps) + EncodeTrackObjects(model.TrackObjects);
            const qint64 first = offsetOf(trackStartPosition(track));
            fits = after.bytes.size() >= first + region.size() &&
                   (region.size() <= 1 + trackByteBudget(track) ||
                    after.bytes.at(first + region.size() - 1) == region.back());
            if (fits)
                after.bytes.replace(first, region.size(), region);
        }
        if (!saved) {
            ++figures.refusedSaves;
            const QString start =
                model.isLoaded() ? told("Track %1 could not be saved: ", track) : "";
            return fits || saved.error().isEmpty() || !saved.error().startsWith(start)
                       ? told("the save was refused: %1", saved.error())
                       : QString();
        }
        if (!fits)
            return QStringLiteral("a save that had to be refused succeeded.");
        expected = after;
        // The saved laps and objects load again. After a shorter save the region's old tail
        // follows them as objects, or makes the load refused.
        const TrackObjectList &objects = model.TrackObjects;
        const bool shorter = ByteTotal(objects) < trackByteBudget(track);
        if (shorter)
            tracks[track - 1] = LoadExpectation::Either;
        const auto reloaded = ReadTrack(path, track, widths());
        if (!reloaded)
            return shorter ? QString() : told("the saved track was refused: %1", reloaded.error());
        if (reloaded->laps != laps ||
            (shorter ? reloaded->objects.mid(0, objects.size()) : reloaded->objects) != objects)
            return told("%1 objects of %2 bytes were saved; %3 objects of %4 loaded.",
                        objects.size(), ByteTotal(objects), reloaded->objects.size(),
                        ByteTotal(reloaded->objects));
        return {};
    }

    // Another program truncates the file, often inside a track's region, deletes it, replaces it
    // by a folder or a named pipe, or puts the image back.
    QString injectFault()
    {
        ++figures.fileFaults;
        const qint64 cut = random.bounded(2) ? random.bounded(TrackStartPositions[0] - 1,
                                                              PositionAfterLastRegion + 1)
                                             : random.bounded(image.bytes.size() + 1);
        const FileState faults[] = {{FileState::File, image.bytes.left(cut)},
                                    {},
                                    {FileState::Folder, {}},
                                    {FileState::Special, {}},
                                    {FileState::File, image.bytes}};
        expected = faults[random.bounded(5)];
        tracks.fill(LoadExpectation::Either);
        return putFileState(path, expected) ? QString()
                                            : QStringLiteral("the file could not be changed.");
    }
};

} // namespace

QString WalkEditRoad(const RoadImage &image, quint32 seed, const QString &folder, bool fileFaults,
                     RoadFigures &figures)
{
    return EditRoad{image, QRandomGenerator(seed), folder + QStringLiteral("/road.nes"), fileFaults,
                    figures}
        .walk();
}

} // namespace whoopline::testing
