#include "generated_images.h"

#include "image_builder.h"
#include "picture_tables.h"
#include "sample_image.h"

#include <QRandomGenerator>

#include <algorithm>

namespace whoopline::testing {

using namespace whoopline::track;

namespace {

QByteArray randomBytes(QRandomGenerator &random, qint64 count, int lowest = 0)
{
    QByteArray bytes(count, '\0');
    for (char &byte : bytes)
        byte = char(random.bounded(lowest, 256));
    return bytes;
}

// Exactly budget bytes of whole, known objects: ids 0..49, some marked, and spans, often of
// length 0 or 255. With spanOnLastByte the last byte is a span code, whose length then is the
// byte after the region.
QByteArray objectBytes(QRandomGenerator &random, int budget, bool spanOnLastByte)
{
    static constexpr int lengths[] = {0, 255, 1, 7};
    QByteArray bytes;
    while (bytes.size() < budget - int(spanOnLastByte)) {
        if (bytes.size() + 2 <= budget - int(spanOnLastByte) && random.bounded(3) == 0)
            bytes.append(char(random.bounded(FirstSpanCode, LastSpanCode + 1)))
                .append(char(random.bounded(2) ? lengths[random.bounded(4)] : random.bounded(256)));
        else
            bytes.append(char(random.bounded(ObjectIdCount) | random.bounded(2) * AlternativeBit));
    }
    return spanOnLastByte ? bytes.append(char(random.bounded(FirstSpanCode, LastSpanCode + 1)))
                          : bytes;
}

void putTrack(ImageBuilder &image, QRandomGenerator &random, int track, bool spanOnLastByte)
{
    image.set(trackStartPosition(track), int(random.bounded(1, 256)))
        .set(trackStartPosition(track) + 1,
             objectBytes(random, trackByteBudget(track), spanOnLastByte));
}

// Random graphics, a picture stream of column starts (1..15) and blocks (16..255), and five
// loadable tracks. A huge record holds so many column starts, or columns so long, that its size
// passes what 16 bits can hold.
ImageBuilder wellFormedImage(QRandomGenerator &random, int hugeRecords)
{
    QByteArray stream;
    const int firstHuge = int(random.bounded(view::PictureCount));
    for (int picture = 0; picture < view::PictureCount; ++picture) {
        const bool huge = picture >= firstHuge && picture < firstHuge + hugeRecords;
        const int columnOneIn = huge && random.bounded(2) ? 1 : huge ? 40 : 3;
        for (int i = int(huge ? random.bounded(2000, 24000) : random.bounded(1, 20)); i > 0; --i)
            stream.append(char(random.bounded(columnOneIn) == 0 ? random.bounded(1, 16)
                                                                : random.bounded(16, 256)));
        stream.append('\0');
    }
    const qint64 size =
        std::max(rom::MinimumImageSize + (random.bounded(4) == 0 ? random.bounded(40000) : 0),
                 offsetOf(view::PictureStreamPosition) + stream.size());
    ImageBuilder image(size);
    image.set(17, randomBytes(random, size - 16)).set(view::PictureStreamPosition, stream);
    for (int track = 1; track <= TrackCount; ++track)
        putTrack(image, random, track, random.bounded(4) == 0);
    return image;
}

// One track's region made hostile, or left as it was; returns what loading it must do.
LoadExpectation putHostileTrack(ImageBuilder &image, QRandomGenerator &random, int track)
{
    const Position start = trackStartPosition(track);
    const int budget = trackByteBudget(track);
    int code = 0;
    QByteArray spans;
    switch (random.bounded(4)) {
    case 0:
        image.set(start, 0); // laps 0
        return LoadExpectation::Refused;
    case 1: // whole objects, then a code no load knows where an object starts
        while (isSpanCode(code) || objectIdOf(code) < ObjectIdCount)
            code = int(random.bounded(256));
        image.set(start + 1, objectBytes(random, int(random.bounded(budget)), false) + char(code));
        return LoadExpectation::Refused;
    case 2: // spans of length 255; on an odd budget the last one's length lies after the region
        while (spans.size() < budget)
            spans.append(char(random.bounded(FirstSpanCode, LastSpanCode + 1))).append(char(255));
        image.set(start + 1, spans.left(budget));
        return LoadExpectation::Loads;
    default:
        return LoadExpectation::Loads;
    }
}

} // namespace

RoadImage GenerateImage(ImageFamily family, quint32 seed)
{
    QRandomGenerator random(seed * 7919u + quint32(family));
    RoadImage generated;
    generated.tracks.fill(LoadExpectation::Loads);
    ImageBuilder image =
        wellFormedImage(random, family == ImageFamily::HugeRecords ? int(random.bounded(1, 4)) : 0);
    if (family == ImageFamily::Sample) {
        const QByteArray bytes = sample::BuildSampleImage();
        image.resize(bytes.size()).set(1, bytes);
        for (int i = seed == 0 ? 0 : int(random.bounded(3)); i > 0; --i)
            putTrack(image, random, int(random.bounded(1, TrackCount + 1)), random.bounded(2));
    } else if (family == ImageFamily::RandomBytes) {
        image.set(1, randomBytes(random, image.bytes().size()));
        generated.tracks.fill(LoadExpectation::Either);
    } else if (family == ImageFamily::StreamWithoutZeros) {
        const qint64 stream = image.bytes().size() - offsetOf(view::PictureStreamPosition);
        image.set(view::PictureStreamPosition, randomBytes(random, stream, 1));
    } else if (family == ImageFamily::HostileTracks) {
        for (int track = 1; track <= TrackCount; ++track)
            generated.tracks[track - 1] = putHostileTrack(image, random, track);
    }
    generated.bytes = image.bytes();
    return generated;
}

} // namespace whoopline::testing
