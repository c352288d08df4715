#pragma once

#include "track_layout.h"

#include <QByteArray>
#include <QRandomGenerator>
#include <QString>

#include <array>

// Cartridge images made from a seed: well-formed ones, and hostile ones of the kinds a user's
// disk can hand the editor. The same family and seed always give the same bytes.
namespace whoopline::testing {

// What loading a track of a generated image must do.
enum class LoadExpectation
{
    Loads,
    Refused,
    Either
};

struct GeneratedImage
{
    QString kind;      // names the image in a failure message
    QByteArray bytes;  // the whole file
    bool opens = true; // false when the file is too short to be opened
    std::array<LoadExpectation, track::TrackCount> tracks{};
};

enum class ImageFamily
{
    Sample,             // our sample image, some of its tracks replaced by random well-formed ones
    WellFormed,         // random graphics, picture stream and tracks, every track loadable
    RandomBytes,        // nothing but random bytes, at least as long as an image must be
    Truncated,          // a well-formed image cut short, often inside a track region
    StreamWithoutZeros, // the picture stream runs to the end of the file without a 0 byte
    HugeRecords,        // picture records thousands of bytes long
    HostileTracks,      // laps 0, unknown ids, spans of length 255, spans on the budget's last byte
};

GeneratedImage GenerateImage(ImageFamily family, quint32 seed);

// Exactly `budget` bytes of whole, known objects: one-byte ids 0..49, some marked, and spans of
// any length. With spanOnLastByte the last byte is a span code, whose length then is the byte
// after the region.
QByteArray WellFormedObjectBytes(QRandomGenerator &random, int budget, bool spanOnLastByte);

} // namespace whoopline::testing
