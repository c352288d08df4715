#include "edit/object_clipboard.h"

#include "edit/object_catalogue.h"
#include "track/track_codec.h"

#include <QMimeData>
#include <QRegularExpression>

#include <algorithm>

namespace whoopline::edit {

namespace {

constexpr auto Example = "\"05 0C 41:20 85\"";

QString hexByte(int byte)
{
    return QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper();
}

Failure notAList(const QString &why)
{
    return Failure{QStringLiteral("The text is not a list of objects: %1. Expected two-digit "
                                  "hexadecimal object bytes separated by spaces, a two-byte object "
                                  "as code:length, such as %2.")
                       .arg(why, QLatin1String(Example))};
}

bool inCatalogue(int byte)
{
    const auto numbers = ListObjectNumbers();
    const int number = track::isSpanCode(byte) ? byte : track::objectIdOf(byte);
    if (!track::isSpanCode(byte) && track::isSpanCode(number))
        return false; // $C0..$C6 are one-byte objects with ids no table covers
    return std::find(numbers.begin(), numbers.end(), number) != numbers.end();
}

} // namespace

QString ObjectBytesToText(const QByteArray &objectBytes)
{
    QStringList groups;
    for (int i = 0; i < objectBytes.size(); ++i) {
        const int byte = quint8(objectBytes.at(i));
        QString group = hexByte(byte);
        if (track::isSpanCode(byte) && i + 1 < objectBytes.size())
            group += QLatin1Char(':') + hexByte(quint8(objectBytes.at(++i)));
        groups.append(group);
    }
    return groups.join(QLatin1Char(' '));
}

Result<QByteArray> ObjectBytesFromText(const QString &text)
{
    static const QRegularExpression group(
        QStringLiteral("^\\$?([0-9A-Fa-f]{2})(?::\\$?([0-9A-Fa-f]{2}))?$")); // "$05", as the editor shows bytes, too
    const QStringList groups =
        text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    if (groups.isEmpty())
        return notAList(QStringLiteral("it is empty"));
    QByteArray bytes;
    for (const QString &word : groups) {
        const QRegularExpressionMatch match = group.match(word);
        if (!match.hasMatch())
            return notAList(QStringLiteral("\"%1\" is not one").arg(word.left(20)));
        const int code = match.captured(1).toInt(nullptr, 16);
        const bool hasLength = match.hasCaptured(2);
        if (track::isSpanCode(code) != hasLength)
            return notAList(
                hasLength
                    ? QStringLiteral("\"%1\" is a one-byte object and takes no length").arg(word)
                    : QStringLiteral("\"%1\" is a two-byte object and needs its length").arg(word));
        bytes.append(char(code));
        if (hasLength)
            bytes.append(char(match.captured(2).toInt(nullptr, 16)));
    }
    return bytes;
}

QMimeData *MakeObjectsMimeData(const QByteArray &objectBytes)
{
    auto *data = new QMimeData;
    data->setData(ObjectsMimeType, objectBytes);
    data->setText(ObjectBytesToText(objectBytes));
    return data;
}

Result<QByteArray> ObjectBytesFromMimeData(const QMimeData &data)
{
    if (data.hasFormat(ObjectsMimeType)) {
        // Checked here, so that a drag of nothing or of a broken run is declined as it enters.
        const QByteArray bytes = data.data(ObjectsMimeType);
        if (const auto run = DecodeObjectRun(bytes, QStringLiteral("paste"), {}); !run)
            return Failure{run.error()};
        return bytes;
    }
    if (data.hasText())
        return ObjectBytesFromText(data.text());
    return Failure{
        QStringLiteral("There are no objects to paste: copy objects, or text such as %1, first.")
            .arg(QLatin1String(Example))};
}

Result<track::TrackObjectList> DecodeObjectRun(const QByteArray &objectBytes, const QString &verb,
                                               const track::ObjectWidthTable &widths)
{
    if (objectBytes.isEmpty())
        return Failure{QStringLiteral("There are no objects to %1.").arg(verb)};
    track::TrackObjectList objects;
    for (int i = 0; i < objectBytes.size(); ++i) {
        const int byte = quint8(objectBytes.at(i));
        if (!inCatalogue(byte))
            return Failure{
                QStringLiteral("The objects to %1 hold %2, which is not an object of the "
                               "catalogue.")
                    .arg(verb, track::FormatObjectByte(byte))};
        const int size = track::isSpanCode(byte) ? 2 : 1;
        if (i + size > objectBytes.size())
            return Failure{QStringLiteral("The objects to %1 end in the two-byte object %2 without "
                                          "its length.")
                               .arg(verb, track::FormatObjectByte(byte))};
        objects.append(track::MakeTrackObject(objectBytes.mid(i, size), widths));
        i += size - 1;
    }
    return objects;
}

} // namespace whoopline::edit
