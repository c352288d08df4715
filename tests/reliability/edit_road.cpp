#include "edit_road.h"

#include "edit/current_object_edit.h"
#include "edit/free_byte_edits.h"
#include "edit/object_catalogue.h"
#include "edit/object_replacement.h"
#include "edit/track_edit_command.h"
#include "edit/track_file.h"
#include "image_builder.h"
#include "track/free_bytes.h"
#include "track/track_codec.h"
#include "track/track_io.h"
#include "track_invariants.h"
#include "view/navigation.h"
#include "view/open_image.h"
#include "view/track_view.h"

#include <QRandomGenerator>
#include <QUndoStack>

#include <sys/stat.h>

#include <algorithm>
#include <numeric>
#include <memory>
#include <optional>

namespace whoopline::testing {

using namespace whoopline::track;

namespace {

// What lies at an image's path, seen from outside the editor: the road puts a state there to
// stage what another program might do, and checks that a step left the path as it must.
struct FileState
{
    // Special is a named pipe: reading it may wait for a writer, or never end.
    enum Kind { Missing, Folder, Special, File } kind = Missing;
    QByteArray bytes; // a file's content

    friend bool operator==(const FileState &, const FileState &) = default;
};

// Never opens anything but a regular file.
FileState observeFile(const QString &path)
{
    const QFileInfo info(path);
    if (info.isFile())
        return {FileState::File, readWholeFile(path)};
    return {info.isDir() ? FileState::Folder : info.exists() ? FileState::Special : FileState::Missing, {}};
}

// Replaces whatever lies at path by state; false when the system would not let it.
bool putFileState(const QString &path, const FileState &state)
{
    QDir(path).removeRecursively();
    QFile::remove(path);
    QFile file(path);
    return !QFileInfo::exists(path) &&
           (state.kind == FileState::Missing || (state.kind == FileState::Folder && QDir().mkdir(path)) ||
            (state.kind == FileState::Special && ::mkfifo(QFile::encodeName(path).constData(), 0644) == 0) ||
            (state.kind == FileState::File && file.open(QIODevice::WriteOnly) && file.write(state.bytes) == state.bytes.size()));
}

// text with %1, %2... replaced by values in turn.
template <typename... Values> QString told(const char *text, const Values &...values)
{
    QString result = QString::fromUtf8(text);
    ((result = result.arg(values)), ...);
    return result;
}

struct EditRoad;

// One kind of step a user takes once an image is open, how often the road takes it, and the undo
// step it records when it changes the track, as the window records it.
struct StepKind
{
    const char *name;
    int weight;
    QString (EditRoad::*run)();
    std::optional<edit::TrackEditKind> records = std::nullopt;
};

// What the window's handlers walk through, held as the window holds it. Every promise is checked
// against the format's own positions and budgets, written out in image_builder.h.
struct EditRoad
{
    const RoadImage &image;
    QRandomGenerator random;
    const QString path;
    const bool fileFaults;
    RoadFigures &figures;
    std::array<LoadExpectation, 5> tracks = image.tracks;
    FileState expected{FileState::File, image.bytes};
    std::optional<view::OpenedImage> opened{};
    TrackModel model{};
    int laps = 0;    // the laps control
    int loading = 0; // the track the next load reads
    std::unique_ptr<QUndoStack> history = std::make_unique<QUndoStack>();
    edit::TrackEditState loaded{}; // what the last load gave, which undoing every step gives back

    const ObjectWidthTable &widths() const { return opened->ObjectWidthTable; }
    static Position start(int track) { return TrackStarts[track - 1]; }
    static int budget(int track) { return TrackBudgets[track - 1]; }

    QString walk()
    {
        ++figures.images;
        if (!putFileState(path, expected))
            return QStringLiteral("the image could not be written.");
        QString broken = step({"open", 0, &EditRoad::open});
        for (int i = 0; i < 2 && broken.isEmpty() && opened; ++i)
            broken = randomStep(); // before any track is loaded
        std::array<int, 5> order{1, 2, 3, 4, 5};
        std::shuffle(order.begin(), order.end(), random);
        for (int i = 0; i < 5 && broken.isEmpty() && opened; ++i) {
            loading = order[i];
            broken = step({"load", 0, &EditRoad::load});
            for (int j = int(random.bounded(6, 17)); j > 0 && broken.isEmpty(); --j)
                broken = randomStep();
            if (broken.isEmpty())
                broken = step({"save", 0, &EditRoad::save});
        }
        return broken;
    }

    QString randomStep()
    {
        // A new command of the editor is a new row. File faults come last, so that a road without
        // them never draws them.
        using Kind = edit::TrackEditKind;
        static constexpr StepKind steps[] = {
            {"navigate", 30, &EditRoad::navigate}, {"replace", 20, &EditRoad::replace, Kind::ReplaceObject},
            {"toggle", 15, &EditRoad::toggle, Kind::ChangeMark}, {"laps", 5, &EditRoad::changeLaps, Kind::ChangeLaps},
            {"insert", 10, &EditRoad::insert, Kind::InsertObject},
            {"delete", 10, &EditRoad::remove, Kind::DeleteObject}, {"undo and redo", 8, &EditRoad::undoAndRedo},
            {"save", 15, &EditRoad::save}, {"redraw", 10, &EditRoad::redraw}, {"file fault", 5, &EditRoad::injectFault}};
        const int total = std::accumulate(std::begin(steps), std::end(steps), 0,
                                          [](int sum, const StepKind &kind) { return sum + kind.weight; });
        int pick = int(random.bounded(fileFaults ? total : total - std::end(steps)[-1].weight));
        const StepKind *kind = steps;
        while ((pick -= kind->weight) >= 0)
            ++kind;
        return step(*kind);
    }

    QString step(const StepKind &kind)
    {
        ++figures.steps;
        const edit::TrackEditState before{model, laps};
        QString broken = (this->*kind.run)();
        if (kind.records)
            edit::PushTrackEdit(*history, *kind.records, before, {model, laps}, [this](const edit::TrackEditState &state) {
                model = state.track;
                laps = state.laps;
            });
        if (broken.isEmpty())
            broken = brokenPromise();
        return broken.isEmpty() ? broken
                                : told("%1, step %2 (%3, track %4 object %5 loaded): %6", image.kind,
                                       figures.steps, kind.name, model.CurrentTrack, model.CurrentObject, broken);
    }

    // What holds after every step: the file is as the steps so far must have left it, and the
    // model's objects keep their invariants and fill the region exactly, or pass it by the length
    // of a span on its last byte.
    QString brokenPromise() const
    {
        if (const FileState actual = observeFile(path); actual != expected)
            return told("the path holds %1 bytes of kind %2 where %3 of kind %4 were expected.",
                        actual.bytes.size(), int(actual.kind), expected.bytes.size(), int(expected.kind));
        const int total = ByteTotal(model.TrackObjects), region = budget(qMax(1, model.CurrentTrack));
        if (model.isLoaded() && total != region && (total != region + 1 || !model.TrackObjects.last().isSpan()))
            return told("the model holds %1 object bytes for a region of %2.", total, region);
        return model.isLoaded() ? TrackInvariantViolation(model.TrackObjects, widths()) : QString();
    }

    // An image too short for the tiles is refused, saying so; any other opens.
    QString open()
    {
        auto result = view::OpenImage(path);
        if (result.ok() != (image.bytes.size() >= 24592) ||
            (!result && !result.error().contains("a cartridge image needs at least 24,592")))
            return told("an image of %1 bytes: %2", image.bytes.size(), result ? "opened" : result.error());
        if (result)
            opened = std::move(result).value();
        return {};
    }

    // A load gives laps 1..255 and the region's objects as the file holds them at the track's
    // start, the last one's length after the region if need be; or it is refused, saying so, and
    // the model keeps the track loaded before.
    QString load()
    {
        ++figures.loads;
        const auto read = ReadTrack(path, loading, widths());
        const LoadExpectation expectation = tracks[loading - 1];
        if (!read) {
            ++figures.refusedLoads;
            return expectation == LoadExpectation::Loads || !read.error().startsWith(told("Track %1 cannot be loaded: ", loading))
                       ? told("the load was refused: %1", read.error())
                       : QString();
        }
        const QByteArray region = char(read->laps) + EncodeTrackObjects(read->objects);
        if (expectation == LoadExpectation::Refused || read->laps < 1 || region.size() <= budget(loading) ||
            expected.bytes.mid(start(loading) - 1, region.size()) != region)
            return told("laps %1 and %2 object bytes were loaded that must not be.", read->laps, region.size() - 1);
        // Its track file reads back as the same laps and objects, free bytes refilled.
        const auto file = edit::ReadTrackFile(edit::WriteTrackFile(read->laps, read->objects), "t.track");
        const auto back = file ? edit::TrackFileObjects(*file, loading, widths(), "t.track") : Failure{file.error()};
        if (!back || file->laps != read->laps || EncodeTrackObjects(*back) != EncodeTrackObjects(read->objects))
            return told("the track's file did not read back: %1", back.error());
        model = TrackModel{read->objects, loading, 0};
        laps = read->laps;
        loaded = {model, laps};
        history->clear();
        return {};
    }

    QString navigate()
    {
        model.CurrentObject = view::Navigate(view::NavigationButton(random.bounded(6)), model.CurrentObject, model.lastIndex());
        return redraw();
    }

    QString redraw()
    {
        const auto drawn = view::RenderTrackView(model, opened->graphics.picBuffer, opened->graphics.picGFX, path);
        const bool shows = model.isLoaded() ? model.CurrentObject >= 0 && model.CurrentObject <= model.lastIndex() &&
                                                  drawn.markerWidth == model.current().Width &&
                                                  drawn.currentObjectText == QString::asprintf("$%02X", model.current().code())
                                            : drawn.currentObjectText.isEmpty();
        return shows ? QString() : told("the redraw shows %1, %2 wide.", drawn.currentObjectText, drawn.markerWidth);
    }

    // The "..." button: OK hands back a catalogue object and a length, now and then one out of
    // range. Cancel, no track and a refusal leave the track as it was, a refusal saying why; a
    // replacement puts the choice in the current object's place.
    QString replace()
    {
        const int number = edit::ListObjectNumbers()[random.bounded(45)];
        const int length = random.bounded(3) == 0 ? std::array{-1, 256, 0, 255}[random.bounded(4)] : int(random.bounded(256));
        const bool ok = random.bounded(5) != 0;
        const TrackModel before = model;
        edit::ObjectChoice exchange;
        const Status status = edit::EditCurrentObject(model, widths(), exchange, [&](const edit::ObjectChoice &) {
            return ok ? std::optional(edit::ObjectChoice{number, length}) : std::nullopt;
        });
        const bool replaced = status && ok && before.isLoaded();
        if (replaced ? model.CurrentObject != before.CurrentObject || model.current().code() != number
                     : model.TrackObjects != before.TrackObjects || (!status && status.error().isEmpty()))
            return told("replacing by %1 length %2 gave another track: %3", number, length, status.error());
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
        if (markable ? shown != checked || model.current().Alternative != checked : shown || model.TrackObjects != before)
            return told("a click asking for %1 showed %2.", checked, shown);
        return {};
    }

    // The laps control takes any value from 1 to 255.
    QString changeLaps()
    {
        laps = int(random.bounded(1, 256));
        return {};
    }

    // Insert takes a free byte from the track's end and Delete gives it back there, so the region
    // stays full (checked after every step); Insert without a free byte is refused, saying why.
    QString insert()
    {
        const TrackObjectList before = model.TrackObjects;
        const bool free = model.isLoaded() && FreeByteCount(before) > 0;
        const Status status = edit::InsertObject(model, widths());
        return status.ok() == free && (status || (!status.error().isEmpty() && model.TrackObjects == before))
                   ? QString()
                   : told("an insert with a free byte %1 ended: %2", free, status.error());
    }

    QString remove()
    {
        const Status status = edit::DeleteCurrentObject(model, widths());
        return status.ok() == model.isLoaded() ? QString() : told("a delete ended: %1", status.error());
    }

    // Undoing every step gives the loaded objects and laps back, and redoing them the objects and
    // laps shown before; the road then goes on from any step, so that the next edit drops the
    // steps after it. Navigation is no step: the current object is not compared.
    QString undoAndRedo()
    {
        const auto shown = [this] { return std::pair(model.TrackObjects, laps); };
        const auto now = shown();
        const int at = history->index();
        history->setIndex(0);
        const bool undone = shown() == std::pair(loaded.track.TrackObjects, loaded.laps);
        history->setIndex(at);
        if (!undone || shown() != now)
            return told("undoing %1 of %2 steps gave %3 objects, redoing them %4.", at, history->count(),
                        undone ? "the loaded" : "other", shown() == now ? "the same" : "others");
        history->setIndex(int(random.bounded(history->count() + 1)));
        return {};
    }

    // Succeeds exactly when a track is loaded and the file still reaches the last byte to write,
    // which past the region must hold its value already. Then the file is what it was with the
    // laps byte and the object bytes at the region's start, and they load again as they were.
    QString save()
    {
        ++figures.saves;
        const int track = model.CurrentTrack;
        const Status saved = WriteTrack(path, track, laps, model.TrackObjects);
        const QByteArray region = char(laps) + EncodeTrackObjects(model.TrackObjects);
        const qint64 first = model.isLoaded() ? start(track) - 1 : 0, end = first + region.size();
        const bool fits = model.isLoaded() && expected.kind == FileState::File && expected.bytes.size() >= end &&
                          (region.size() <= 1 + budget(track) || expected.bytes.at(end - 1) == region.back());
        if (!saved) {
            ++figures.refusedSaves;
            const QString opening = model.isLoaded() ? told("Track %1 could not be saved: ", track) : "";
            return fits || saved.error().isEmpty() || !saved.error().startsWith(opening)
                       ? told("the save was refused: %1", saved.error())
                       : QString();
        }
        if (!fits)
            return QStringLiteral("a save that had to be refused succeeded.");
        expected.bytes.replace(first, region.size(), region);
        history->setClean();
        const auto reloaded = ReadTrack(path, track, widths());
        const TrackObjectList &objects = model.TrackObjects;
        if (!reloaded || reloaded->laps != laps || reloaded->objects != objects)
            return told("%1 objects were saved; loading them again gave: %2", objects.size(), reloaded.error());
        return {};
    }

    // Another program truncates the file, often inside the track regions (11607..12404), deletes
    // it, replaces it by a folder or a named pipe, or puts the image back.
    QString injectFault()
    {
        const qint64 cut = random.bounded(2) ? random.bounded(qint64(11606), qint64(12405))
                                             : random.bounded(qint64(image.bytes.size() + 1));
        const FileState faults[] = {{FileState::File, image.bytes.left(cut)}, {}, {FileState::Folder, {}},
                                    {FileState::Special, {}}, {FileState::File, image.bytes}};
        expected = faults[random.bounded(5)];
        tracks.fill(LoadExpectation::Either);
        return putFileState(path, expected) ? QString() : QStringLiteral("the file could not be changed.");
    }
};

} // namespace

QString WalkEditRoad(const RoadImage &image, quint32 seed, const QString &folder, bool fileFaults, RoadFigures &figures)
{
    return EditRoad{image, QRandomGenerator(seed), folder + QStringLiteral("/road.nes"), fileFaults, figures}
        .walk();
}

} // namespace whoopline::testing
