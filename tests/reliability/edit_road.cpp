#include "edit_road.h"

#include "current_object_edit.h"
#include "file_state.h"
#include "image_promises.h"
#include "navigation.h"
#include "object_catalogue.h"
#include "object_replacement.h"
#include "open_image.h"
#include "road_oracles.h"
#include "selection_exchange.h"
#include "track_codec.h"
#include "track_invariants.h"
#include "track_io.h"
#include "track_view.h"

#include <algorithm>
#include <numeric>

namespace whoopline::testing {

using namespace whoopline::track;

namespace {

constexpr int MaximumLength = 255;

// What the window's handlers walk through, held as the window holds it.
class EditRoad
{
public:
    EditRoad(const GeneratedImage &image, quint32 seed, const QString &folder, bool fileFaults,
             RoadFigures &figures)
        : m_image(image), m_random(seed), m_path(folder + QStringLiteral("/road.nes")),
          m_fileFaults(fileFaults), m_figures(figures), m_tracks(image.tracks)
    {
    }

    QString walk()
    {
        ++m_figures.images;
        if (!writeFileState(m_path, FileState{FileState::File, m_image.bytes}))
            return QStringLiteral("the image could not be written.");
        m_expected = observeFile(m_path);
        if (QString violation = step(QStringLiteral("open"), [this] { return open(); });
            !violation.isEmpty())
            return violation;
        if (!m_image.opens)
            return {};

        std::array<int, TrackCount> order{};
        std::iota(order.begin(), order.end(), 1);
        std::shuffle(order.begin(), order.end(), m_random);
        for (int i = 0; i < 2; ++i) {
            if (QString violation = randomStep(); !violation.isEmpty())
                return violation;
        }
        for (int track : order) {
            QString violation =
                step(QStringLiteral("load track %1").arg(track), [&] { return load(track); });
            const int steps = int(m_random.bounded(6, 17));
            for (int i = 0; i < steps && violation.isEmpty(); ++i)
                violation = randomStep();
            if (violation.isEmpty())
                violation = step(QStringLiteral("save"), [this] { return save(); });
            if (!violation.isEmpty())
                return violation;
        }
        return {};
    }

private:
    template <typename Action> QString step(const QString &name, Action action)
    {
        ++m_figures.steps;
        QString violation = action();
        if (violation.isEmpty())
            violation = checkState();
        if (violation.isEmpty())
            return {};
        return QStringLiteral("%1, step %2 (%3, track %4 object %5 loaded): %6")
            .arg(m_image.kind)
            .arg(m_figures.steps)
            .arg(name)
            .arg(m_model.CurrentTrack)
            .arg(m_model.CurrentObject)
            .arg(violation);
    }

    QString randomStep()
    {
        const int pick = int(m_random.bounded(100));
        if (pick < 35)
            return step(QStringLiteral("navigate"), [this] { return navigate(); });
        if (pick < 55)
            return step(QStringLiteral("replace"), [this] { return replace(); });
        if (pick < 67)
            return step(QStringLiteral("toggle"), [this] { return toggle(); });
        if (pick < 72)
            return step(QStringLiteral("laps"), [this] {
                m_laps = int(m_random.bounded(MinimumLaps, MaximumLaps + 1));
                return QString();
            });
        if (pick < 83)
            return step(QStringLiteral("save"), [this] { return save(); });
        if (pick < 95 || !m_fileFaults)
            return step(QStringLiteral("redraw"), [this] { return redraw(); });
        return step(QStringLiteral("file fault"), [this] { return injectFault(); });
    }

    const ObjectWidthTable &widths() const { return m_opened.ObjectWidthTable; }

    QString checkState()
    {
        if (QString difference = describeDifference(m_expected, observeFile(m_path));
            !difference.isEmpty())
            return difference;
        if (!m_model.isLoaded())
            return {};
        // Objects a step left alone share their data with the ones checked last.
        if (m_checkedObjects.constData() != m_model.TrackObjects.constData()) {
            if (QString violation = TrackInvariantViolation(m_model.TrackObjects, widths());
                !violation.isEmpty())
                return violation;
            m_checkedObjects = m_model.TrackObjects;
        }
        if (m_model.CurrentObject < 0 || m_model.CurrentObject > m_model.lastIndex())
            return QStringLiteral("CurrentObject %1 lies outside 0..%2.")
                .arg(m_model.CurrentObject)
                .arg(m_model.lastIndex());
        if (!isTrackNumber(m_model.CurrentTrack) ||
            ByteTotal(m_model.TrackObjects) > trackByteBudget(m_model.CurrentTrack) + 1)
            return QStringLiteral("the model holds %1 object bytes for track %2.")
                .arg(ByteTotal(m_model.TrackObjects))
                .arg(m_model.CurrentTrack);
        return {};
    }

    QString open()
    {
        auto opened = view::OpenImage(m_path);
        if (!m_image.opens) {
            if (opened)
                return QStringLiteral("an image too short to hold the tiles was opened.");
            if (!opened.error().contains(
                    QStringLiteral("bytes long; a cartridge image needs at least 24,592.")))
                return QStringLiteral("a short image was refused with: %1").arg(opened.error());
            return {};
        }
        if (!opened)
            return QStringLiteral("opening was refused: %1").arg(opened.error());
        m_opened = std::move(opened).value();
        return WidthTableViolation(widths());
    }

    QString load(int track)
    {
        ++m_figures.loads;
        const auto loaded = ReadTrack(m_path, track, widths());
        const LoadExpectation expected = m_tracks[track - 1];
        if (!loaded) {
            ++m_figures.refusedLoads;
            if (expected == LoadExpectation::Loads)
                return QStringLiteral("a loadable track was refused: %1").arg(loaded.error());
            if (!loaded.error().startsWith(
                    QStringLiteral("Track %1 cannot be loaded: ").arg(track)))
                return QStringLiteral("a refused load says: %1").arg(loaded.error());
            return {}; // the model keeps the track loaded before
        }
        if (expected == LoadExpectation::Refused)
            return QStringLiteral("a track that must be refused was loaded.");
        if (QString violation = LoadedTrackViolation(m_expected.bytes, track, *loaded, widths());
            !violation.isEmpty())
            return violation;
        m_model = TrackModel{loaded->objects, track, 0};
        m_laps = loaded->laps;
        return {};
    }

    QString navigate()
    {
        const auto button = view::NavigationButton(m_random.bounded(6));
        const int moved = view::Navigate(button, m_model.CurrentObject, m_model.lastIndex());
        if (!m_model.isLoaded() && moved != m_model.CurrentObject)
            return QStringLiteral("a button moved with no track loaded.");
        m_model.CurrentObject = moved;
        return redraw();
    }

    QString redraw() const
    {
        return RedrawViolation(m_model, view::RenderTrackView(m_model, m_opened.graphics.picBuffer,
                                                              m_opened.graphics.picGFX, m_path));
    }

    int randomLength()
    {
        static constexpr int invalid[] = {-1, 256, 1000, -100000};
        if (m_random.bounded(10) == 0)
            return invalid[m_random.bounded(4)];
        return m_random.bounded(4) == 0 ? MaximumLength : int(m_random.bounded(MaximumLength + 1));
    }

    // The "..." button: the selector shows the current object and returns the user's choice.
    QString replace()
    {
        ++m_figures.replacements;
        const int objectNumber = edit::ListObjectNumbers()[m_random.bounded(edit::CatalogueSize)];
        const int length = randomLength();
        const bool chooseOk = m_random.bounded(5) != 0;
        const TrackModel before = m_model;
        QString exchange;
        bool shown = false;
        const Status status = edit::EditCurrentObject(m_model, widths(), [&] {
            shown = true;
            const TrackObject &current = before.current();
            if (edit::SelectedObjectNumber != current.code() ||
                (current.isSpan() && edit::SelectedLength != current.length()))
                exchange = QStringLiteral("the selector was handed %1 and %2.")
                               .arg(edit::SelectedObjectNumber)
                               .arg(edit::SelectedLength);
            if (chooseOk) {
                edit::SelectedObjectNumber = objectNumber;
                edit::SelectedLength = length;
            }
            return chooseOk;
        });
        if (!exchange.isEmpty())
            return exchange;
        if (!before.isLoaded() || !chooseOk) {
            if (shown != before.isLoaded() || !status || !SameModel(m_model, before))
                return QStringLiteral("with no track or on Cancel the track changed.");
            return {};
        }
        return ReplacementViolation(before, m_model, objectNumber, length, status);
    }

    // A click on the alternative box, which then shows the opposite of what it showed.
    QString toggle()
    {
        const TrackModel before = m_model;
        const bool checked =
            before.isLoaded() ? !before.current().Alternative : m_random.bounded(2) == 0;
        const bool shown = edit::ToggleAlternative(m_model, checked);
        return ToggleViolation(before, m_model, checked, shown, widths());
    }

    QString save()
    {
        ++m_figures.saves;
        const bool mustSucceed = SaveMustSucceed(m_expected, m_model);
        const int track = m_model.CurrentTrack;
        const Status saved = WriteTrack(m_path, track, m_laps, m_model.TrackObjects);
        if (!saved) {
            ++m_figures.refusedSaves;
            if (mustSucceed)
                return QStringLiteral("the save was refused: %1").arg(saved.error());
            if (m_model.isLoaded() &&
                !saved.error().startsWith(
                    QStringLiteral("Track %1 could not be saved: ").arg(track)))
                return QStringLiteral("a refused save says: %1").arg(saved.error());
            return saved.error().isEmpty() ? QStringLiteral("a save was refused without a word.")
                                           : QString();
        }
        if (!mustSucceed)
            return QStringLiteral("a save that had to be refused succeeded.");
        const FileState after = observeFile(m_path);
        if (QString outside = ChangeOutsideTrackRegion(m_expected.bytes, after.bytes, track);
            !outside.isEmpty())
            return outside;
        const QByteArray region = char(m_laps) + EncodeTrackObjects(m_model.TrackObjects);
        m_expected.bytes.replace(offsetOf(trackStartPosition(track)), region.size(), region);
        if (ByteTotal(m_model.TrackObjects) < trackByteBudget(track))
            m_tracks[track - 1] = LoadExpectation::Either; // the region's tail keeps its old bytes
        if (QString difference = describeDifference(m_expected, after); !difference.isEmpty())
            return difference;
        return reload();
    }

    QString reload()
    {
        const auto reloaded = ReadTrack(m_path, m_model.CurrentTrack, widths());
        if (!reloaded)
            ++m_figures.reloadsRefused;
        return ReloadViolation(m_model, m_laps, reloaded);
    }

    // Another program changes the file while the editor has it open.
    QString injectFault()
    {
        ++m_figures.fileFaults;
        FileState changed = m_expected;
        switch (m_random.bounded(4)) {
        case 0:
            if (changed.kind == FileState::File)
                changed.bytes.truncate(
                    m_random.bounded(2) == 0
                        ? m_random.bounded(TrackStartPositions[0] - 1, PositionAfterLastRegion + 1)
                        : m_random.bounded(qint64(changed.bytes.size()) + 1));
            break;
        case 1:
            changed = FileState{FileState::Missing, {}};
            break;
        case 2:
            changed = FileState{FileState::Folder, {}};
            break;
        default:
            changed = FileState{FileState::File, m_image.bytes};
            break;
        }
        if (!writeFileState(m_path, changed))
            return QStringLiteral("the file could not be changed.");
        m_expected = changed;
        m_tracks.fill(LoadExpectation::Either);
        return {};
    }

    const GeneratedImage &m_image;
    QRandomGenerator m_random;
    const QString m_path;
    const bool m_fileFaults;
    RoadFigures &m_figures;
    std::array<LoadExpectation, TrackCount> m_tracks;
    FileState m_expected;
    view::OpenedImage m_opened;
    TrackModel m_model;
    int m_laps = 0;
    TrackObjectList m_checkedObjects;
};

} // namespace

QString WalkEditRoad(const GeneratedImage &image, quint32 seed, const QString &folder,
                     bool fileFaults, RoadFigures &figures)
{
    return EditRoad(image, seed, folder, fileFaults, figures).walk();
}

} // namespace whoopline::testing
