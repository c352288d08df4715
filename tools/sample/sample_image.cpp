#include "sample_image.h"

#include "sample_pictures.h"
#include "sample_tiles.h"
#include "sample_tracks.h"
#include "track/track_layout.h"
#include "view/picture_tables.h"

#include <QSaveFile>

namespace whoopline::sample {

namespace {

// The iNES header: its signature, then the number of 16 KB program banks and of 8 KB character
// banks; the flags that follow, mapper 0 included, stay 0.
constexpr char HeaderSignature[] = {'N', 'E', 'S', 0x1A};
constexpr int ProgramBanks = 1;
constexpr int CharacterBanks = 1;

void place(QByteArray &image, Position first, const QByteArray &bytes)
{
    image.replace(offsetOf(first), bytes.size(), bytes);
}

} // namespace

QByteArray BuildSampleImage()
{
    QByteArray image(rom::MinimumImageSize, '\0');
    QByteArray header(HeaderSignature, sizeof HeaderSignature);
    header += char(ProgramBanks);
    header += char(CharacterBanks);
    place(image, 1, header);

    QByteArray palette;
    for (quint8 colour : SamplePalette)
        palette += char(colour);
    place(image, rom::PalettePosition, palette);

    for (int track = 1; track <= track::TrackCount; ++track)
        place(image, track::trackStartPosition(track), SampleTrackRegion(track));
    place(image, track::PositionAfterLastRegion, QByteArray(1, char(SampleByteAfterLastRegion)));

    place(image, view::PictureStreamPosition, SamplePictureStream());
    image.replace(rom::TileDataOffset, rom::TileDataSize, SampleTileData());
    return image;
}

Status WriteSampleImage(const QString &path)
{
    const QByteArray image = BuildSampleImage();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return Failure{QStringLiteral("The sample image \u201C%1\u201D can't be created: %2.")
                           .arg(path, file.errorString())};
    if (file.write(image) != image.size() || !file.commit())
        return Failure{QStringLiteral("The sample image \u201C%1\u201D could not be written: %2.")
                           .arg(path, file.errorString())};
    return Success{};
}

} // namespace whoopline::sample
