#include "edit/track_file.h"

#include "edit/object_catalogue.h"
#include "edit/object_clipboard.h"
#include "rom/image_file.h"
#include "track/free_bytes.h"
#include "track/track_codec.h"
#include "track/track_layout.h"

#include <QRegularExpression>
#include <QStringList>

namespace whoopline::edit {

namespace {

const QString LapsWord = QStringLiteral("laps");

QString nameOf(int code)
{
    const int number = track::isSpanCode(code) ? code : track::objectIdOf(code);
    QString name = QStringLiteral("(not in the catalogue)");
    for (const CatalogueEntry &entry : ObjectCatalogue())
        if (entry.objectNumber == number)
            name = QString::fromLatin1(entry.text).mid(3); // after the number and its space
    if (!track::isSpanCode(code) && (code & track::AlternativeBit) != 0)
        name += QStringLiteral(", alternative track");
    return name;
}

// Every byte the track format reads as the start of an object: a span code or a one-byte id the
// tables cover, marked or not. The catalogue leaves some of those ids out, but tracks hold them.
bool isTrackObject(int code)
{
    return track::isSpanCode(code) || track::objectIdOf(code) < track::ObjectIdCount;
}

} // namespace

QString WriteTrackFile(int laps, const track::TrackObjectList &objects)
{
    QStringList lines = {TrackFileFirstLine, QStringLiteral("%1 %2").arg(LapsWord).arg(laps)};
    const qsizetype written = objects.size() - track::FreeByteCount(objects);
    for (qsizetype i = 0; i < written; ++i)
        lines << QStringLiteral("%1  # %2").arg(ObjectBytesToText(objects[i].Bytes), nameOf(objects[i].code()));
    return lines.join(u'\n') + u'\n';
}

Result<TrackFile> ReadTrackFile(const QString &text, const QString &fileName)
{
    static const QRegularExpression object(QStringLiteral("^([0-9A-Fa-f]{2})(?::([0-9A-Fa-f]{2}))?$"));
    const QStringList lines = text.split(u'\n');
    const auto refuse = [&](qsizetype line, const QString &what) {
        return Failure{QStringLiteral("%1, line %2: %3").arg(quotedName(fileName)).arg(line + 1).arg(what)};
    };
    if (lines.constFirst().trimmed() != TrackFileFirstLine)
        return refuse(0, QStringLiteral("expected “%1”, found “%2”.").arg(TrackFileFirstLine, lines.constFirst().trimmed().left(40)));
    TrackFile file;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QString line = lines[i].section(u'#', 0, 0).trimmed();
        if (line.isEmpty())
            continue;
        if (line.startsWith(LapsWord)) {
            bool number = false;
            const int laps = line.mid(LapsWord.size()).trimmed().toInt(&number);
            if (file.laps != 0)
                return refuse(i, QStringLiteral("the laps are given twice."));
            if (!number || laps < track::MinimumLaps || laps > track::MaximumLaps)
                return refuse(i, QStringLiteral("the laps must be a number from %1 to %2, not “%3”.")
                                     .arg(track::MinimumLaps).arg(track::MaximumLaps).arg(line.mid(LapsWord.size()).trimmed()));
            file.laps = laps;
            continue;
        }
        const QRegularExpressionMatch match = object.match(line);
        if (!match.hasMatch())
            return refuse(i, QStringLiteral("expected one object such as 05, 41:20 or 85, found “%1”.").arg(line.left(40)));
        const int code = match.captured(1).toInt(nullptr, 16);
        if (!isTrackObject(code))
            return refuse(i, QStringLiteral("%1 is no object of a track.").arg(track::FormatObjectByte(code)));
        if (track::isSpanCode(code) != match.hasCaptured(2))
            return refuse(i, track::isSpanCode(code)
                                 ? QStringLiteral("%1 is a two-byte object and needs its length, as in %1:20.").arg(match.captured(1))
                                 : QStringLiteral("%1 is a one-byte object and takes no length.").arg(match.captured(1)));
        file.objectBytes += char(code);
        if (match.hasCaptured(2))
            file.objectBytes += char(match.captured(2).toInt(nullptr, 16));
    }
    if (file.laps == 0)
        return Failure{QStringLiteral("%1 gives no laps: a line such as “laps 3” is missing.").arg(quotedName(fileName))};
    return file;
}

Result<track::TrackObjectList> TrackFileObjects(const TrackFile &file, int track,
                                                const track::ObjectWidthTable &widths,
                                                const QString &fileName)
{
    const int budget = track::trackByteBudget(track);
    track::TrackObjectList objects;
    int used = 0;
    for (int i = 0; i < file.objectBytes.size(); i += objects.constLast().ByteCount) {
        const int size = track::isSpanCode(quint8(file.objectBytes[i])) ? 2 : 1;
        objects.append(track::MakeTrackObject(file.objectBytes.mid(i, size), widths));
        used = i + 1; // a span on the budget's last byte has its length after the region
    }
    if (used > budget)
        return Failure{QStringLiteral("%1 holds %2 bytes of objects, but track %3 has room for %4. "
                                      "Nothing was imported.")
                           .arg(quotedName(fileName)).arg(file.objectBytes.size()).arg(track).arg(budget)};
    for (int free = budget - track::ByteTotal(objects); free > 0; --free)
        objects.append(track::MakeTrackObject(QByteArray(1, track::FreeByte), widths));
    return objects;
}

} // namespace whoopline::edit
