#include "document/region_patch.h"

#include "track/track_codec.h"
#include "track/track_layout.h"

#include <algorithm>

namespace whoopline::document {

using namespace whoopline::track;

PatchSpan SpanOf(const QList<TrackToSave> &tracks)
{
    Position first = 0, end = 0;
    for (const TrackToSave &t : tracks) {
        const Position start = trackStartPosition(t.track);
        first = first == 0 ? start : std::min(first, start);
        end = std::max(end, start + trackByteBudget(t.track) + 2);
        // The track whose region ends at this laps byte is read too: its last span may take its
        // length from it.
        for (int before = 1; before <= TrackCount; ++before)
            if (trackStartPosition(before) + 1 + trackByteBudget(before) == start)
                first = std::min(first, trackStartPosition(before));
    }
    return {first, end - first};
}

Status PutTracks(QByteArray &bytes, Position first, const QList<TrackToSave> &tracks)
{
    QByteArray patched = bytes;
    for (const TrackToSave &t : tracks) {
        const QString saving = QStringLiteral("Track %1 could not be saved: ").arg(t.track);
        const int budget = trackByteBudget(t.track);
        const QByteArray objectBytes = EncodeTrackObjects(t.objects);
        if (t.laps < MinimumLaps || t.laps > MaximumLaps)
            return Failure{saving + QStringLiteral("the number of laps must be %1 to %2, not %3. "
                                                   "Nothing was written.")
                                        .arg(MinimumLaps)
                                        .arg(MaximumLaps)
                                        .arg(t.laps)};
        if (objectBytes.size() > budget + 1)
            return Failure{saving + QStringLiteral("its objects take %1 bytes, but its region "
                                                   "holds %2 object bytes. Nothing was written.")
                                        .arg(objectBytes.size())
                                        .arg(budget)};
        const qint64 at = trackStartPosition(t.track) - first;
        if (at < 0 || at + 1 + objectBytes.size() > patched.size())
            return Failure{saving + QStringLiteral("the file is too short for its region. Nothing "
                                                   "was written.")};
        patched[at] = char(t.laps);
        patched.replace(at + 1, objectBytes.size(), objectBytes);
    }
    // Checked once every track is in place: the byte after a region may be the next one's laps.
    for (const TrackToSave &t : tracks) {
        const QByteArray objectBytes = EncodeTrackObjects(t.objects);
        const int budget = trackByteBudget(t.track);
        const qint64 after = trackStartPosition(t.track) - first + 1 + budget;
        const char wanted = objectBytes.back();
        if (objectBytes.size() == budget + 1 &&
            (bytes.at(after) != wanted || patched.at(after) != wanted))
            return Failure{QStringLiteral("Track %1 could not be saved: its last object lies "
                                          "outside the track's region, at position %2, and "
                                          "saving would change that byte from %3 to %4. Nothing "
                                          "was written.")
                               .arg(t.track)
                               .arg(formatNumber(first + after))
                               .arg(quint8(bytes.at(after)))
                               .arg(quint8(bytes.at(after) != wanted ? wanted : patched.at(after)))};
    }
    // A track left as it is may end in a span whose length is a written track's laps byte.
    for (int track = 1; track <= TrackCount; ++track) {
        const qint64 region = trackStartPosition(track) - first + 1, after = region + trackByteBudget(track);
        const bool written = std::any_of(tracks.begin(), tracks.end(), [track](const TrackToSave &t) { return t.track == track; });
        if (written || region < 0 || after >= bytes.size() || bytes.at(after) == patched.at(after) ||
            !NeedsByteAfterRegion(bytes.mid(region, trackByteBudget(track)), trackByteBudget(track)))
            continue;
        const int owner = int(std::find(TrackStartPositions.begin(), TrackStartPositions.end(), first + after) -
                              TrackStartPositions.begin()) + 1;
        return Failure{QStringLiteral("Track %1 could not be saved: track %2 ends in a span whose length is "
                                      "the byte at position %3, track %1's laps; saving would change that "
                                      "length from %4 to %5. Nothing was written.")
                           .arg(owner)
                           .arg(track)
                           .arg(formatNumber(first + after))
                           .arg(quint8(bytes.at(after)))
                           .arg(quint8(patched.at(after)))};
    }
    bytes = patched;
    return Success{};
}

QString NameTracks(const QList<int> &tracks)
{
    if (tracks.size() == 1)
        return QStringLiteral("track %1").arg(tracks.first());
    QStringList numbers;
    for (int t : tracks)
        numbers << QString::number(t);
    const QString last = numbers.takeLast();
    return QStringLiteral("tracks %1 and %2").arg(numbers.join(QStringLiteral(", ")), last);
}

} // namespace whoopline::document
