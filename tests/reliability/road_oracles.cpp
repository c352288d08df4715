#include "road_oracles.h"

#include "object_replacement.h"
#include "rom_layout.h"
#include "track_codec.h"

namespace whoopline::testing {

using namespace whoopline::track;

namespace {

constexpr int MaximumLength = 255;

QByteArray bytesOfChoice(int objectNumber, int length)
{
    QByteArray bytes(1, char(objectNumber));
    if (isSpanCode(objectNumber))
        bytes.append(char(length));
    return bytes;
}

} // namespace

bool SameModel(const TrackModel &a, const TrackModel &b)
{
    return a.TrackObjects == b.TrackObjects && a.CurrentTrack == b.CurrentTrack &&
           a.CurrentObject == b.CurrentObject;
}

QString RedrawViolation(const TrackModel &model, const view::TrackView &view)
{
    if (view.strip.size() != QSize(rom::ViewWidth, rom::ViewHeight))
        return QStringLiteral("the track view is %1 x %2.")
            .arg(view.strip.width())
            .arg(view.strip.height());
    if (!model.isLoaded())
        return view.currentObjectText.isEmpty() ? QString()
                                                : QStringLiteral("an empty view names an object.");
    const TrackObject &current = model.current();
    if (view.markerWidth != current.Width ||
        view.currentObjectText != FormatObjectByte(current.code()) ||
        view.lengthText != (current.isSpan() ? QString::number(current.length()) : QString()) ||
        view.alternative != current.Alternative)
        return QStringLiteral("the view describes another object: %1 %2 width %3.")
            .arg(view.currentObjectText, view.lengthText)
            .arg(view.markerWidth);
    return {};
}

QString ReplacementViolation(const TrackModel &before, const TrackModel &after, int objectNumber,
                             int length, const Status &status)
{
    const int c = before.CurrentObject;
    const bool becomesSpan = isSpanCode(objectNumber);
    const bool wasSpan = before.current().isSpan();
    const bool growsLast = becomesSpan && !wasSpan && c == before.lastIndex();
    const int budget = trackByteBudget(before.CurrentTrack);
    const bool mustRefuse = (becomesSpan && (length < 0 || length > MaximumLength)) ||
                            (growsLast && ByteTotal(before.TrackObjects) + 1 > budget);
    if (mustRefuse) {
        if (status || status.error().isEmpty() || !SameModel(after, before))
            return QStringLiteral("replacing by %1 length %2 was not refused cleanly.")
                .arg(objectNumber)
                .arg(length);
        return {};
    }
    if (!status)
        return QStringLiteral("replacing by %1 length %2 was refused: %3")
            .arg(objectNumber)
            .arg(length)
            .arg(status.error());

    const int removed = becomesSpan && !wasSpan && !growsLast ? 1 : 0;
    const bool lengthAfterRegion = ByteTotal(before.TrackObjects.mid(0, c)) == budget - 1;
    const int inserted = wasSpan && !becomesSpan && !lengthAfterRegion ? 1 : 0;
    const TrackObjectList &now = after.TrackObjects;
    const bool shaped = after.CurrentObject == c && after.CurrentTrack == before.CurrentTrack &&
                        now.mid(0, c) == before.TrackObjects.mid(0, c) &&
                        now.at(c).Bytes == bytesOfChoice(objectNumber, length) &&
                        (inserted == 0 || now.at(c + 1).Bytes == QByteArray(1, '\0')) &&
                        now.mid(c + 1 + inserted) == before.TrackObjects.mid(c + 1 + removed);
    if (!shaped)
        return QStringLiteral("replacing by %1 length %2 gave another track.")
            .arg(objectNumber)
            .arg(length);
    return {};
}

QString ToggleViolation(const TrackModel &before, const TrackModel &after, bool checked, bool shown,
                        const ObjectWidthTable &widths)
{
    if (!before.isLoaded() || before.current().isSpan()) {
        if (shown || !SameModel(after, before))
            return QStringLiteral("the box changed what it cannot mark.");
        return {};
    }
    TrackModel expected = before;
    const int byte = objectIdOf(before.current().code()) | (checked ? AlternativeBit : 0);
    expected.TrackObjects[before.CurrentObject] =
        MakeTrackObject(QByteArray(1, char(byte)), widths);
    if (shown != checked || !SameModel(after, expected) ||
        edit::LabelsOfCurrentObject(after).objectByte != FormatObjectByte(byte))
        return QStringLiteral("marking %1 gave %2.")
            .arg(checked)
            .arg(FormatObjectByte(after.current().code()));
    return {};
}

bool SaveMustSucceed(const FileState &file, const TrackModel &model)
{
    if (!model.isLoaded() || file.kind != FileState::File)
        return false;
    const Position start = trackStartPosition(model.CurrentTrack);
    const int total = ByteTotal(model.TrackObjects);
    if (file.bytes.size() < start + total)
        return false;
    return total <= trackByteBudget(model.CurrentTrack) ||
           file.bytes.at(offsetOf(start + total)) == EncodeTrackObjects(model.TrackObjects).back();
}

QString ReloadViolation(const TrackModel &saved, int laps, const Result<LoadedTrack> &reloaded)
{
    const int track = saved.CurrentTrack;
    const TrackObjectList &objects = saved.TrackObjects;
    const bool whole = ByteTotal(objects) >= trackByteBudget(track);
    if (!reloaded) {
        if (whole ||
            !reloaded.error().startsWith(QStringLiteral("Track %1 cannot be loaded: ").arg(track)))
            return QStringLiteral("the saved track could not be loaded again: %1")
                .arg(reloaded.error());
        return {};
    }
    if (reloaded->laps != laps)
        return QStringLiteral("the saved laps %1 loaded as %2.").arg(laps).arg(reloaded->laps);
    if (whole ? reloaded->objects != objects : reloaded->objects.mid(0, objects.size()) != objects)
        return QStringLiteral("%1 objects of %2 bytes were saved; %3 objects of %4 bytes loaded.")
            .arg(objects.size())
            .arg(ByteTotal(objects))
            .arg(reloaded->objects.size())
            .arg(ByteTotal(reloaded->objects));
    return {};
}

} // namespace whoopline::testing
