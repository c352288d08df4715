#pragma once

#include "track/track_layout.h"

#include <QByteArray>
#include <QList>

#include <array>

namespace whoopline::track {

// The drawn width in pixels of each one-byte object id 0..49, derived from the image's pictures.
using ObjectWidthTable = std::array<int, ObjectIdCount>;

// One object of the loaded track.
// Invariants: ByteCount == Bytes.size(); ByteCount is 2 exactly when byte 1 is a span code;
// Width is 16 x the length byte for a span, else the table width of the id; Alternative equals
// bit 7 of byte 1 for a one-byte object and is false for a span.
struct TrackObject
{
    int ByteCount = 0;
    QByteArray Bytes;
    int Width = 0;
    bool Alternative = false;

    int code() const { return static_cast<quint8>(Bytes.at(0)); }
    int length() const { return ByteCount == 2 ? static_cast<quint8>(Bytes.at(1)) : 0; }
    bool isSpan() const { return ByteCount == 2; }

    friend bool operator==(const TrackObject &, const TrackObject &) = default;
};

using TrackObjectList = QList<TrackObject>;

// The one track the editor holds at a time. The laps value is not part of it: it lives in the
// window's laps control and is handed to the save.
struct TrackModel
{
    TrackObjectList TrackObjects;
    int CurrentTrack = 0;  // 1..5, 0 until the first load
    int CurrentObject = 0; // 0-based index into TrackObjects

    bool isLoaded() const { return !TrackObjects.isEmpty(); }
    int lastIndex() const { return int(TrackObjects.size()) - 1; }
    const TrackObject &current() const { return TrackObjects.at(CurrentObject); }
};

} // namespace whoopline::track
