#include "worst_case_image.h"

#include "rom/rom_layout.h"
#include "sample_image.h"
#include "sample_pictures.h"

#include <QList>

namespace whoopline::bench {

namespace {

constexpr int FirstBlockRow = 1;
constexpr int BlockRows = rom::ViewHeight / rom::BlockSize;
// Records can't name tiles 0..15; the sample's artwork starts at 16.
constexpr int FirstNamedTile = 16;
constexpr int ArtTiles = 32;
constexpr int EmptyObject = 0x00;

Result<QList<QByteArray>> splitRecords(const QByteArray &stream)
{
    QList<QByteArray> records;
    qsizetype start = 0;
    while (records.size() < view::PictureCount) {
        const qsizetype zero = stream.indexOf('\0', start);
        if (zero < 0)
            return Failure{QStringLiteral("The sample's picture stream holds only %1 of %2 records.")
                               .arg(records.size())
                               .arg(view::PictureCount)};
        records.append(stream.mid(start, zero - start + 1));
        start = zero + 1;
    }
    return records;
}

void place(QByteArray &image, Position first, const QByteArray &bytes)
{
    image.replace(offsetOf(first), bytes.size(), bytes);
}

} // namespace

QByteArray WidestRecord()
{
    QByteArray record;
    for (int column = 0; column < WidestRecordColumns; ++column) {
        record += char(FirstBlockRow);
        for (int row = FirstBlockRow; row < BlockRows; ++row)
            record += char(FirstNamedTile + (column + row) % ArtTiles);
    }
    record += '\0';
    return record;
}

Result<QByteArray> BuildWorstCaseImage(int spanLength)
{
    QByteArray image = sample::BuildSampleImage();

    auto records = splitRecords(sample::SamplePictureStream());
    if (!records)
        return Failure{records.error()};
    records.value()[WorstPicture] = WidestRecord();
    const QByteArray stream = records->join();
    const qint64 room = rom::TileDataOffset - offsetOf(view::PictureStreamPosition);
    if (stream.size() > room)
        return Failure{QStringLiteral("The widened picture stream takes %1 bytes; only %2 lie "
                                      "before the tiles.")
                           .arg(formatNumber(stream.size()), formatNumber(room))};
    place(image, view::PictureStreamPosition, stream);

    const int budget = track::trackByteBudget(WorstTrack);
    QByteArray objects;
    for (int i = 0; i < WorstSpanCount; ++i) {
        objects += char(WorstSpanCode);
        objects += char(spanLength);
    }
    objects += QByteArray(WorstObjectCount, char(WorstObjectId));
    if (objects.size() > budget)
        return Failure{QStringLiteral("The worst-case objects take %1 bytes; track %2 holds %3.")
                           .arg(objects.size())
                           .arg(WorstTrack)
                           .arg(budget)};
    objects += QByteArray(budget - objects.size(), char(EmptyObject));

    constexpr char laps = 1;
    place(image, track::trackStartPosition(WorstTrack), laps + objects);
    return image;
}

} // namespace whoopline::bench
