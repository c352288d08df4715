#pragma once

#include "track_codec.h"
#include "track_model.h"

#include <initializer_list>

// Small track models written as lists of object bytes.
namespace whoopline::testing {

using ByteList = QList<QByteArray>;

inline QByteArray b(std::initializer_list<int> bytes)
{
    QByteArray array;
    for (int byte : bytes)
        array.append(char(byte));
    return array;
}

// Widths that differ between neighbouring ids, so a width taken from the wrong id shows.
inline track::ObjectWidthTable distinctWidths()
{
    track::ObjectWidthTable widths{};
    for (int id = 0; id < track::ObjectIdCount; ++id)
        widths[id] = 16 * (1 + id % 4);
    return widths;
}

inline track::TrackModel modelOf(const ByteList &objects, int current, int track = 3)
{
    track::TrackModel model{{}, track, current};
    for (const QByteArray &bytes : objects)
        model.TrackObjects.append(track::MakeTrackObject(bytes, distinctWidths()));
    return model;
}

inline ByteList bytesOf(const track::TrackModel &model)
{
    ByteList bytes;
    for (const track::TrackObject &object : model.TrackObjects)
        bytes.append(object.Bytes);
    return bytes;
}

} // namespace whoopline::testing
