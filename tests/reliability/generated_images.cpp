#include "generated_images.h"

#include "image_builder.h"
#include "picture_stream.h"
#include "rom_layout.h"
#include "sample_image.h"

#include <QList>

#include <algorithm>

namespace whoopline::testing {

using namespace whoopline::track;

namespace {

constexpr int ColumnStartLimit = 16; // picture bytes 1..15 start a column
constexpr int MaximumLength = 255;

int randomLength(QRandomGenerator &random)
{
    switch (random.bounded(8)) {
    case 0:
        return MaximumLength;
    case 1:
        return 0;
    case 2:
    case 3:
        return int(random.bounded(MaximumLength + 1));
    default:
        return int(random.bounded(1, 12));
    }
}

char randomNonZero(QRandomGenerator &random)
{
    return char(random.bounded(1, 256));
}

// A byte that no load accepts as a one-byte object.
char unknownObjectCode(QRandomGenerator &random)
{
    for (;;) {
        const int byte = int(random.bounded(256));
        if (!isSpanCode(byte) && objectIdOf(byte) >= ObjectIdCount)
            return char(byte);
    }
}

QByteArray randomBytes(QRandomGenerator &random, qint64 count)
{
    QByteArray bytes(count, '\0');
    for (char &byte : bytes)
        byte = char(random.bounded(256));
    return bytes;
}

// One ordinary record: a few columns of a few blocks, sometimes a block before the first
// column start, and the final 0.
QByteArray ordinaryRecord(QRandomGenerator &random)
{
    QByteArray record;
    if (random.bounded(6) == 0)
        record.append(char(random.bounded(ColumnStartLimit, 256)));
    const int columns = int(random.bounded(1, 5));
    for (int column = 0; column < columns; ++column) {
        record.append(char(random.bounded(1, ColumnStartLimit)));
        const int blocks = int(random.bounded(0, 6));
        for (int block = 0; block < blocks; ++block)
            record.append(char(random.bounded(ColumnStartLimit, 256)));
    }
    record.append('\0');
    return record;
}

// A record of thousands of bytes: long columns, or so many column starts that its width passes
// what a 16-bit width can hold.
QByteArray hugeRecord(QRandomGenerator &random)
{
    const int size = int(random.bounded(2000, 24000));
    const bool mostlyColumns = random.bounded(2) == 0;
    QByteArray record;
    record.reserve(size + 1);
    for (int i = 0; i < size; ++i) {
        const bool column = mostlyColumns ? random.bounded(8) != 0 : random.bounded(40) == 0;
        record.append(column ? char(random.bounded(1, ColumnStartLimit))
                             : char(random.bounded(ColumnStartLimit, 256)));
    }
    record.append('\0');
    return record;
}

QByteArray pictureStream(QRandomGenerator &random, int hugeRecords)
{
    QList<QByteArray> records;
    for (int picture = 0; picture < view::PictureCount; ++picture)
        records.append(ordinaryRecord(random));
    for (int i = 0; i < hugeRecords; ++i)
        records[int(random.bounded(view::PictureCount))] = hugeRecord(random);
    QByteArray stream;
    for (const QByteArray &record : records)
        stream.append(record);
    return stream;
}

void putWellFormedTrack(ImageBuilder &image, QRandomGenerator &random, int track)
{
    const int laps =
        random.bounded(4) == 0 ? int(random.bounded(1, 256)) : int(random.bounded(1, 10));
    image.set(trackStartPosition(track), laps);
    image.set(trackStartPosition(track) + 1,
              WellFormedObjectBytes(random, trackByteBudget(track), random.bounded(4) == 0));
}

// Random graphics and a random picture stream at least as long as an image must be, with five
// loadable tracks.
ImageBuilder wellFormedImage(QRandomGenerator &random, int hugeRecords = 0)
{
    const QByteArray stream = pictureStream(random, hugeRecords);
    const qint64 streamEnd = offsetOf(view::PictureStreamPosition) + stream.size();
    qint64 size = std::max<qint64>(rom::MinimumImageSize, streamEnd);
    if (random.bounded(4) == 0)
        size += random.bounded(40000);
    ImageBuilder image(size);
    image.set(17, randomBytes(random, size - 16));
    for (int track = 1; track <= TrackCount; ++track)
        putWellFormedTrack(image, random, track);
    image.set(PositionAfterLastRegion, int(random.bounded(256)));
    image.set(view::PictureStreamPosition, stream);
    return image;
}

// One track's region made hostile, or left well-formed; returns what loading it must do.
LoadExpectation putHostileTrack(ImageBuilder &image, QRandomGenerator &random, int track)
{
    const Position start = trackStartPosition(track);
    const int budget = trackByteBudget(track);
    switch (random.bounded(6)) {
    case 0:
        putWellFormedTrack(image, random, track);
        return LoadExpectation::Loads;
    case 1:
        putWellFormedTrack(image, random, track);
        image.set(start, 0);
        return LoadExpectation::Refused;
    case 2: {
        // The unknown code starts an object: whole objects fill the bytes before it.
        const int before = int(random.bounded(budget));
        QByteArray objects = WellFormedObjectBytes(random, before, false);
        objects.append(unknownObjectCode(random));
        objects.append(WellFormedObjectBytes(random, budget - before - 1, random.bounded(2) == 0));
        image.set(start, int(random.bounded(1, 256))).set(start + 1, objects);
        return LoadExpectation::Refused;
    }
    case 3: {
        QByteArray objects;
        while (objects.size() + 2 <= budget)
            objects.append(char(FirstSpanCode + random.bounded(7))).append(char(MaximumLength));
        if (objects.size() < budget)
            objects.append(
                char(FirstSpanCode + random.bounded(7))); // its length follows the region
        image.set(start, int(random.bounded(1, 256))).set(start + 1, objects);
        return LoadExpectation::Loads;
    }
    case 4:
        image.set(start, int(random.bounded(1, 256)));
        image.set(start + 1, WellFormedObjectBytes(random, budget, true));
        return LoadExpectation::Loads;
    default:
        image.set(start, randomBytes(random, 1 + budget));
        return LoadExpectation::Either;
    }
}

GeneratedImage finished(const QString &kind, const ImageBuilder &image, LoadExpectation tracks)
{
    GeneratedImage generated{kind, image.bytes(), true, {}};
    generated.tracks.fill(tracks);
    return generated;
}

} // namespace

QByteArray WellFormedObjectBytes(QRandomGenerator &random, int budget, bool spanOnLastByte)
{
    QByteArray bytes;
    bytes.reserve(budget);
    while (bytes.size() < budget) {
        const int remaining = budget - int(bytes.size());
        if (spanOnLastByte && remaining == 1) {
            bytes.append(char(FirstSpanCode + random.bounded(7)));
        } else if (random.bounded(3) == 0 && remaining >= (spanOnLastByte ? 3 : 2)) {
            bytes.append(char(FirstSpanCode + random.bounded(7)));
            bytes.append(char(randomLength(random)));
        } else {
            const int id = int(random.bounded(ObjectIdCount));
            bytes.append(char(random.bounded(5) == 0 ? id | AlternativeBit : id));
        }
    }
    return bytes;
}

GeneratedImage GenerateImage(ImageFamily family, quint32 seed)
{
    QRandomGenerator random(seed * 7919u + quint32(family));
    const QString number = QString::number(seed);
    switch (family) {
    case ImageFamily::Sample: {
        const QByteArray sample = sample::BuildSampleImage();
        ImageBuilder image(sample.size());
        image.set(1, sample);
        const int replaced = seed == 0 ? 0 : int(random.bounded(3));
        for (int i = 0; i < replaced; ++i)
            putWellFormedTrack(image, random, int(random.bounded(1, TrackCount + 1)));
        return finished("sample " + number, image, LoadExpectation::Loads);
    }
    case ImageFamily::WellFormed:
        return finished("well-formed " + number, wellFormedImage(random), LoadExpectation::Loads);
    case ImageFamily::RandomBytes: {
        const qint64 size = rom::MinimumImageSize + random.bounded(40000);
        ImageBuilder image(size);
        image.set(1, randomBytes(random, size));
        return finished("random bytes " + number, image, LoadExpectation::Either);
    }
    case ImageFamily::Truncated: {
        ImageBuilder image = wellFormedImage(random);
        const Position firstTrackByte = TrackStartPositions[0];
        qint64 size = 0;
        switch (random.bounded(5)) {
        case 0:
        case 1:
            size = random.bounded(firstTrackByte - 1, PositionAfterLastRegion + 1);
            break;
        case 2:
            size = rom::MinimumImageSize - 1;
            break;
        case 3:
            size = random.bounded(0, 100);
            break;
        default:
            size = random.bounded(rom::MinimumImageSize);
            break;
        }
        image.resize(size);
        GeneratedImage generated =
            finished("truncated to " + QString::number(size) + " bytes, " + number, image,
                     LoadExpectation::Either);
        generated.opens = false;
        return generated;
    }
    case ImageFamily::StreamWithoutZeros: {
        ImageBuilder image = wellFormedImage(random);
        // Now and then the stream outruns the editor's read limit.
        if (random.bounded(6) == 0)
            image.resize(offsetOf(view::PictureStreamPosition) + view::PictureStreamReadLimit +
                         random.bounded(4096));
        const qint64 streamBytes = image.bytes().size() - offsetOf(view::PictureStreamPosition);
        QByteArray stream(streamBytes, '\0');
        for (char &byte : stream)
            byte = randomNonZero(random);
        image.set(view::PictureStreamPosition, stream);
        return finished("stream without zeros " + number, image, LoadExpectation::Loads);
    }
    case ImageFamily::HugeRecords:
        return finished("huge records " + number,
                        wellFormedImage(random, int(random.bounded(1, 4))), LoadExpectation::Loads);
    case ImageFamily::HostileTracks: {
        ImageBuilder image = wellFormedImage(random);
        GeneratedImage generated{"hostile tracks " + number, {}, true, {}};
        for (int track = 1; track <= TrackCount; ++track)
            generated.tracks[track - 1] = putHostileTrack(image, random, track);
        generated.bytes = image.bytes();
        return generated;
    }
    }
    return {};
}

} // namespace whoopline::testing
