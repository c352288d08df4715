#pragma once

#include "track/track_model.h"

#include <QString>

namespace whoopline::testing {

// Checks the track model's invariants on every object, with the format's numbers written out:
// ByteCount == Bytes.size(); ByteCount is 2 exactly for a first byte 64..70 (a span); a one-byte
// object's id (bit 7 cleared) lies in 0..49; Width is 16 x the length byte for a span and
// widths[id] for a one-byte object; Alternative is bit 7 of a one-byte object, false for a span.
// Returns an empty string when all hold, else the first violation with the object's 0-based index.
inline QString TrackInvariantViolation(const track::TrackObjectList &objects, const track::ObjectWidthTable &widths)
{
    for (int index = 0; index < objects.size(); ++index) {
        const track::TrackObject &object = objects.at(index);
        const int code = object.Bytes.isEmpty() ? -1 : quint8(object.Bytes.at(0));
        const bool span = code >= 64 && code <= 70;
        const bool sound = object.ByteCount == object.Bytes.size() && object.ByteCount == (span ? 2 : 1) &&
                           (span || (code & 0x7F) < 50) && object.Alternative == (!span && code >= 0x80) &&
                           object.Width == (span ? quint8(object.Bytes.at(1)) * 16 : widths[code & 0x7F]);
        if (!sound)
            return QStringLiteral("object %1 (bytes %2, width %3, marked %4) breaks an invariant.")
                .arg(QString::number(index), object.Bytes.toHex(' '), QString::number(object.Width),
                     QString::number(object.Alternative));
    }
    return {};
}

} // namespace whoopline::testing
