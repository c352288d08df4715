#include "track/track_io.h"

#include "rom/image_file.h"
#include "track/track_codec.h"

#include <utility>

namespace whoopline::track {

namespace {

// Lets a sentence from the image helpers continue after "Track 2 cannot be loaded: ".
QString continuing(const QString &sentence)
{
    if (sentence.size() > 1 && sentence.at(0).isUpper() && sentence.at(1).isLower())
        return sentence.at(0).toLower() + sentence.mid(1);
    return sentence;
}

Failure loadFailure(int track, const QString &reason)
{
    return Failure{
        QStringLiteral("Track %1 cannot be loaded: %2").arg(track).arg(continuing(reason))};
}

Failure saveFailure(int track, const QString &reason)
{
    return Failure{
        QStringLiteral("Track %1 could not be saved: %2").arg(track).arg(continuing(reason))};
}

// The track whose region starts at position, or 0 when none does (the byte after track 5).
int trackStartingAt(Position position)
{
    for (int track = 1; track <= TrackCount; ++track) {
        if (trackStartPosition(track) == position)
            return track;
    }
    return 0;
}

Failure noSuchTrack(int track)
{
    return Failure{QStringLiteral("There is no track %1; the tracks are numbered 1 to %2.")
                       .arg(track)
                       .arg(TrackCount)};
}

} // namespace

Result<LoadedTrack> ReadTrack(const QString &path, int track, const ObjectWidthTable &widths)
{
    if (!isTrackNumber(track))
        return noSuchTrack(track);
    const Position start = trackStartPosition(track);
    const int budget = trackByteBudget(track);

    const auto region =
        readImageBytes(path, start, 1 + budget, QStringLiteral("the track's region"));
    if (!region)
        return loadFailure(track, region.error());

    const int laps = quint8(region->at(0));
    if (laps < MinimumLaps)
        return loadFailure(track,
                           QStringLiteral("its laps byte at position %1 is 0, and a race has "
                                          "%2 to %3 laps.")
                               .arg(formatNumber(start))
                               .arg(MinimumLaps)
                               .arg(MaximumLaps));

    QByteArray objectBytes = region->mid(1);
    if (NeedsByteAfterRegion(objectBytes, budget)) {
        const auto after = readImageBytes(
            path, start + budget + 1, 1,
            QStringLiteral(
                "the length of the track's last object, which lies just after the region"));
        if (!after)
            return loadFailure(track, after.error());
        objectBytes += *after;
    }

    auto objects = DecodeTrackObjects(objectBytes, budget, widths);
    if (!objects)
        return loadFailure(track, objects.error());
    return LoadedTrack{laps, std::move(objects).value()};
}

Status WriteTrack(const QString &path, int track, int laps, const TrackObjectList &objects,
                  const std::function<Status()> &beforeWriting)
{
    if (!isTrackNumber(track))
        return Failure{noSuchTrack(track).message + QStringLiteral(" Nothing was written.")};
    if (laps < MinimumLaps || laps > MaximumLaps)
        return saveFailure(track, QStringLiteral("the number of laps must be %1 to %2, not %3. "
                                                 "Nothing was written.")
                                      .arg(MinimumLaps)
                                      .arg(MaximumLaps)
                                      .arg(laps));
    if (objects.isEmpty())
        return saveFailure(track, QStringLiteral("it has no objects; load a track first. "
                                                 "Nothing was written."));

    const Position start = trackStartPosition(track);
    const int budget = trackByteBudget(track);
    const QByteArray objectBytes = EncodeTrackObjects(objects);
    const qsizetype total = objectBytes.size();

    if (total > budget + 1)
        return saveFailure(track,
                           QStringLiteral("its objects take %1 bytes, but its region holds %2 "
                                          "object bytes. Nothing was written.")
                               .arg(formatNumber(total), formatNumber(budget)));

    if (total == budget + 1) {
        // The last byte lies outside the region: it may only be written back unchanged.
        const Position after = start + budget + 1;
        const auto current =
            readImageBytes(path, after, 1, QStringLiteral("the byte after the track's region"));
        if (!current)
            return saveFailure(track, current.error() + QStringLiteral(" Nothing was written."));
        const int was = quint8(current->at(0));
        const int wanted = quint8(objectBytes.back());
        if (was != wanted) {
            const int next = trackStartingAt(after);
            const QString owner = next != 0 ? QStringLiteral("the laps byte of track %1").arg(next)
                                            : QStringLiteral("a byte that belongs to no track");
            const QString where =
                QStringLiteral("at position %1, which is %2").arg(formatNumber(after), owner);
            if (objects.last().isSpan())
                return saveFailure(
                    track, QStringLiteral("the last object's length lies outside the track's "
                                          "region, %1; saving would change it from %2 to %3. Give "
                                          "the last object its length %2 again. Nothing was "
                                          "written.")
                               .arg(where)
                               .arg(was)
                               .arg(wanted));
            return saveFailure(track, QStringLiteral("the last object lies outside the track's "
                                                     "region, %1; saving would change it from %2 "
                                                     "to %3. Nothing was written.")
                                          .arg(where, FormatObjectByte(was), FormatObjectByte(wanted)));
        }
    }

    QByteArray bytes;
    bytes.reserve(1 + total);
    bytes.append(char(laps));
    bytes.append(objectBytes);
    const Status written = writeImageBytes(path, start, bytes, beforeWriting);
    if (!written)
        return saveFailure(track, written.error());
    return Success{};
}

} // namespace whoopline::track
