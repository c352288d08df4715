#include "track/track_codec.h"

#include "rom/image_file.h"

#include <array>
#include <utility>

namespace whoopline::track {

namespace {

constexpr int ByteValues = 256;
constexpr int SpanCodeCount = LastSpanCode - FirstSpanCode + 1;

// Every object a region can hold, spelt out once for the whole run: each one-byte object, and
// each span code followed by each length.
struct AllObjectBytes
{
    std::array<char, ByteValues> singles{};
    std::array<std::array<char, 2 * ByteValues>, SpanCodeCount> spans{};
};

constexpr AllObjectBytes makeAllObjectBytes()
{
    AllObjectBytes all;
    for (int byte = 0; byte < ByteValues; ++byte) {
        all.singles[byte] = char(byte);
        for (int span = 0; span < SpanCodeCount; ++span) {
            all.spans[span][2 * byte] = char(FirstSpanCode + span);
            all.spans[span][2 * byte + 1] = char(byte);
        }
    }
    return all;
}

constexpr AllObjectBytes ObjectBytesOfAllObjects = makeAllObjectBytes();

// A decoded object's bytes refer to the table instead of owning a copy, so that a load makes no
// allocation per object; a change to them (an edit) copies them first, as for any QByteArray.
QByteArray singleObjectBytes(int byte)
{
    return QByteArray::fromRawData(&ObjectBytesOfAllObjects.singles[byte], 1);
}

QByteArray spanObjectBytes(int code, int length)
{
    return QByteArray::fromRawData(&ObjectBytesOfAllObjects.spans[code - FirstSpanCode][2 * length], 2);
}

} // namespace

QString FormatObjectByte(int byte)
{
    return QStringLiteral("$%1").arg(byte & 0xFF, 2, 16, QLatin1Char('0')).toUpper();
}

TrackObject MakeTrackObject(QByteArray bytes, const ObjectWidthTable &widths)
{
    Q_ASSERT(!bytes.isEmpty());
    TrackObject object;
    object.ByteCount = int(bytes.size());
    object.Bytes = std::move(bytes);
    const int code = object.code();
    if (isSpanCode(code)) {
        Q_ASSERT(object.ByteCount == 2);
        object.Width = object.length() * 16;
        object.Alternative = false;
    } else {
        Q_ASSERT(object.ByteCount == 1);
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
    objects.reserve(budget);
    int i = 0;
    while (i < budget) {
        const int index = int(objects.size());
        const int code = quint8(objectBytes.at(i));
        if (isSpanCode(code)) {
            if (i + 1 >= objectBytes.size())
                return Failure{
                    QStringLiteral("object %1 (code %2) starts on the region's last byte, "
                                   "and its length, the byte after the region, is missing.")
                        .arg(index + 1)
                        .arg(FormatObjectByte(code))};
            objects.append(MakeTrackObject(spanObjectBytes(code, quint8(objectBytes.at(i + 1))), widths));
            i += 2;
        } else {
            if (objectIdOf(code) >= ObjectIdCount)
                return Failure{
                    QStringLiteral("object %1 has the code %2, which is not a known object.")
                        .arg(index + 1)
                        .arg(FormatObjectByte(code))};
            objects.append(MakeTrackObject(singleObjectBytes(code), widths));
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
