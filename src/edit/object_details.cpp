#include "edit/object_details.h"

#include "edit/object_catalogue.h"
#include "rom/rom_layout.h"
#include "track/track_codec.h"
#include "track/track_layout.h"

namespace whoopline::edit {

namespace {

QString catalogueName(int objectNumber)
{
    for (const CatalogueEntry &entry : ObjectCatalogue())
        if (entry.objectNumber == objectNumber)
            return QString::fromLatin1(entry.text);
    return QStringLiteral("%1 (not in the catalogue)")
        .arg(QString::number(objectNumber, 16).rightJustified(2, QLatin1Char('0')).toUpper());
}

} // namespace

QString ObjectDetails(const track::TrackObjectList &objects, const std::vector<qint64> &lefts, int index,
                      Position trackStart)
{
    if (index < 0 || index >= objects.size() || size_t(index) >= lefts.size() || objects.at(index).Bytes.isEmpty())
        return {};
    const track::TrackObject &object = objects.at(index);
    const int code = object.code();
    QStringList lines;
    QString first = QStringLiteral("%1  %2").arg(catalogueName(track::objectIdOf(code)), track::FormatObjectByte(code));
    if ((code & track::AlternativeBit) != 0 && !track::isSpanCode(code))
        first += QStringLiteral(", alternative track");
    lines << first << QStringLiteral("Object %1 of %2").arg(index + 1).arg(objects.size());
    if (object.ByteCount == 2 && object.Bytes.size() >= 2)
        lines << QStringLiteral("Length %1").arg(object.length());
    lines << QStringLiteral("At block %1 of the track").arg(formatNumber(lefts[size_t(index)] / rom::BlockSize));
    Position position = trackStart + 1;
    for (int i = 0; i < index; ++i)
        position += objects.at(i).ByteCount;
    lines << QStringLiteral("File position %1").arg(formatNumber(position));
    return lines.join(QLatin1Char('\n'));
}

} // namespace whoopline::edit
