#include "track_codec.h"

#include "image_file.h"

namespace whoopline::track {

QString FormatObjectByte(int byte)
{
    return QStringLiteral("$%1").arg(byte & 0xFF, 2, 16, QLatin1Char('0')).toUpper();
}

TrackObject MakeTrackObject(const QByteArray &bytes, const ObjectWidthTable &widths)
{
    Q_ASSERT(!bytes.isEmpty());
    TrackObject object;
    object.Bytes = bytes;
    object.ByteCount = int(bytes.size());
    const int code = object.code();
    if (isSpanCode(code)) {
        Q_ASSERT(bytes.size() == 2);
        object.Width = object.length() * 16;
        object.Alternative = false;
    } else {
        Q_ASSERT(bytes.size() == 1);
        Q_ASSERT(objectIdOf(code) < ObjectIdCount);
        object.Width = widths[objectIdOf(code)];
        object.Alternative = (code & AlternativeBit) != 0;
    }
    return object;
}

bool NeedsByteAfterRegion(const QByteArray &objectBytes, int budget)
{
    Q_ASSERT(objectBytes.size() >= budget);
    int i = 0;
    while (i < budget) {
        if (isSpanCode(quint8(objectBytes.at(i)))) {
            if (i == budget - 1)
                return true;
            ++i;
        }
        ++i;
    }
    return false;
}

Result<TrackObjectList> DecodeTrackObjects(const QByteArray &objectBytes, int budget,
                                           const ObjectWidthTable &widths)
{
    if (objectBytes.size() < budget)
        return Failure{QStringLiteral("only %1 of its %2 object bytes were given.")
                           .arg(formatNumber(objectBytes.size()), formatNumber(budget))};
    TrackObjectList objects;
    int i = 0;
    while (i < budget) {
        const int index = int(objects.size());
        const int code = quint8(objectBytes.at(i));
        if (isSpanCode(code)) {
            if (i + 1 >= objectBytes.size())
                return Failure{
                    QStringLiteral("object %1 (code %2) starts on the region's last byte, "
                                   "and its length, the byte after the region, is missing.")
                        .arg(index)
                        .arg(FormatObjectByte(code))};
            objects.append(MakeTrackObject(objectBytes.mid(i, 2), widths));
            i += 2;
        } else {
            if (objectIdOf(code) >= ObjectIdCount)
                return Failure{
                    QStringLiteral("object %1 has the code %2, which is not a known object.")
                        .arg(index)
                        .arg(FormatObjectByte(code))};
            objects.append(MakeTrackObject(objectBytes.mid(i, 1), widths));
            i += 1;
        }
    }
    return objects;
}

QByteArray EncodeTrackObjects(const TrackObjectList &objects)
{
    QByteArray bytes;
    bytes.reserve(ByteTotal(objects));
    for (const TrackObject &object : objects)
        bytes.append(object.Bytes);
    return bytes;
}

int ByteTotal(const TrackObjectList &objects)
{
    int total = 0;
    for (const TrackObject &object : objects)
        total += object.ByteCount;
    return total;
}

} // namespace whoopline::track
