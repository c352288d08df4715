#include "image_builder.h"
#include "nes_palette.h"
#include "object_picture.h"
#include "object_widths.h"
#include "picture_stream.h"
#include "rom_graphics.h"
#include "sample_image.h"
#include "sample_pictures.h"
#include "sample_tiles.h"
#include "sample_tracks.h"
#include "track_codec.h"
#include "track_io.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using namespace whoopline;
using namespace whoopline::testing;

namespace {

int byteAt(const QByteArray &image, Position position)
{
    return quint8(image.at(offsetOf(position)));
}

bool isCatalogueId(int id)
{
    return (id >= 0x00 && id <= 0x23) || id == 0x30 || id == 0x31;
}

// Every object number the selector offers.
QList<int> catalogueNumbers()
{
    QList<int> numbers;
    for (int n = 0; n <= 0x46; ++n) {
        if (isCatalogueId(n) || track::isSpanCode(n))
            numbers << n;
    }
    return numbers;
}

} // namespace

class TestSampleImage : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_path;
    rom::RomGraphics m_graphics;
    std::optional<view::PictureStream> m_stream;

private slots:
    void initTestCase()
    {
        m_path = m_dir.filePath("sample.nes");
        const Status written = sample::WriteSampleImage(m_path);
        QVERIFY2(written.ok(), qPrintable(written.error()));
        auto graphics = rom::ReadRomGraphics(m_path);
        QVERIFY2(graphics.ok(), qPrintable(graphics.error()));
        m_graphics = *graphics;
        auto stream = view::PictureStream::read(m_path);
        QVERIFY2(stream.ok(), qPrintable(stream.error()));
        m_stream = *stream;
    }

    void fileHoldsTheImage()
    {
        QCOMPARE(readWholeFile(m_path), sample::BuildSampleImage());

        // Replacing an older file leaves exactly the image, and a folder that is missing fails.
        QTemporaryDir dir;
        const QString older = writeFile(dir, "older.nes", QByteArray(30000, 'x'));
        QVERIFY(sample::WriteSampleImage(older).ok());
        QCOMPARE(readWholeFile(older), sample::BuildSampleImage());
        const QString nowhere = dir.filePath("missing/sample.nes");
        const Status failed = sample::WriteSampleImage(nowhere);
        QVERIFY(!failed.ok());
        QVERIFY2(failed.error().contains("missing/sample.nes"), qPrintable(failed.error()));
        QVERIFY(!QFile::exists(nowhere));
    }

    void imageIsACartridgeWithNothingButOurData()
    {
        QByteArray image = sample::BuildSampleImage();
        QCOMPARE(image.size(), 24592);
        QCOMPARE(image.left(16), QByteArray("NES\x1A\x01\x01", 6) + QByteArray(10, '\0'));

        QSet<QRgb> colours;
        for (int slot = 0; slot < rom::PaletteSize; ++slot)
            colours << rom::NesColorToRgb(byteAt(image, rom::PalettePosition + slot));
        QCOMPARE(colours.size(), rom::PaletteSize);

        auto clear = [&image](Position first, qint64 count) {
            image.replace(offsetOf(first), count, QByteArray(count, '\0'));
        };
        clear(1, 6);
        clear(rom::PalettePosition, rom::PaletteSize);
        const Position regions = track::trackStartPosition(1);
        clear(regions, track::PositionAfterLastRegion - regions + 1);
        clear(view::PictureStreamPosition, sample::SamplePictureStream().size());
        clear(rom::TileDataOffset + 1, rom::TileDataSize);
        QCOMPARE(image, QByteArray(24592, '\0'));
    }

    void tileArtIsSound()
    {
        const QStringList problems = sample::SampleTileArtProblems();
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
    }

    void tracksAreRacesOfCatalogueObjects_data()
    {
        QTest::addColumn<int>("track");
        for (int track = 1; track <= track::TrackCount; ++track)
            QTest::addRow("track %d", track) << track;
    }
    void tracksAreRacesOfCatalogueObjects()
    {
        QFETCH(int, track);
        const QByteArray image = sample::BuildSampleImage();
        const Position start = track::trackStartPosition(track);
        const int budget = track::trackByteBudget(track);
        const int laps = byteAt(image, start);
        QVERIFY2(laps >= 2 && laps <= 5, qPrintable(QString::number(laps)));

        QSet<int> codes;
        int alternatives = 0;
        int i = 0;
        while (i < budget) {
            const int code = byteAt(image, start + 1 + i);
            if (track::isSpanCode(code)) {
                QVERIFY2(byteAt(image, start + 2 + i) > 0, qPrintable(QString::number(i)));
                i += 2;
            } else {
                QVERIFY2(isCatalogueId(track::objectIdOf(code)), qPrintable(QString::number(code)));
                alternatives += (code & track::AlternativeBit) ? 1 : 0;
                i += 1;
            }
            codes << code;
        }
        // Only track 5 ends with a span on its budget's last byte; the others end on their budget.
        QCOMPARE(i, track == 5 ? budget + 1 : budget);
        if (track == 5)
            QCOMPARE(byteAt(image, track::PositionAfterLastRegion),
                     sample::SampleByteAfterLastRegion);

        QVERIFY(alternatives > 0);
        QVERIFY(codes.contains(0x17) || codes.contains(0x19) || codes.contains(0x1B)); // start
        QVERIFY(codes.contains(0x11) || codes.contains(0x12) || codes.contains(0x13)); // finish
        QVERIFY(codes.contains(0x09));                                                 // lap end
        QVERIFY(codes.contains(0x42) || codes.contains(0x43) || codes.contains(0x46)); // grass
    }

    void tracksSurviveAnUnchangedSave_data() { tracksAreRacesOfCatalogueObjects_data(); }
    void tracksSurviveAnUnchangedSave()
    {
        QFETCH(int, track);
        QTemporaryDir dir;
        const QString path = dir.filePath("sample.nes");
        QVERIFY(sample::WriteSampleImage(path).ok());
        const auto widths = view::ReadObjectWidthTable(path);
        QVERIFY2(widths.ok(), qPrintable(widths.error()));
        const auto loaded = track::ReadTrack(path, track, *widths);
        QVERIFY2(loaded.ok(), qPrintable(loaded.error()));

        const QByteArray region = sample::SampleTrackRegion(track);
        QCOMPARE(loaded->laps, int(quint8(region.at(0))));
        QByteArray expected = region.mid(1);
        if (track == 5) {
            expected += char(sample::SampleByteAfterLastRegion);
            QCOMPARE(loaded->objects.last().Width, 16 * sample::SampleByteAfterLastRegion);
        }
        QCOMPARE(track::EncodeTrackObjects(loaded->objects), expected);

        const Status saved = track::WriteTrack(path, track, loaded->laps, loaded->objects);
        QVERIFY2(saved.ok(), qPrintable(saved.error()));
        QCOMPARE(readWholeFile(path), sample::BuildSampleImage());
    }

    void objectsHaveTheWidthsTheirNamesSay_data()
    {
        QTest::addColumn<int>("object");
        QTest::addColumn<int>("width");
        QTest::newRow("00 nothing") << 0x00 << 16;
        QTest::newRow("01 9-block short ramp") << 0x01 << 144;
        QTest::newRow("05 9-block tall ramp") << 0x05 << 144;
        QTest::newRow("06 6-block ramp with a drop") << 0x06 << 96;
        QTest::newRow("0A 6-block ramp with a rise") << 0x0A << 96;
        QTest::newRow("07 5-block short ramp") << 0x07 << 80;
        QTest::newRow("0B 5-block tall ramp") << 0x0B << 80;
        QTest::newRow("08 3-block short ramp") << 0x08 << 48;
        QTest::newRow("0E 3-block boost ramp") << 0x0E << 48;
        QTest::newRow("14 8-block starting ramp") << 0x14 << 128;
        QTest::newRow("1D 3-block raised ground") << 0x1D << 48;
        QTest::newRow("1E 3-block raised ground") << 0x1E << 48;
    }
    void objectsHaveTheWidthsTheirNamesSay()
    {
        QFETCH(int, object);
        QFETCH(int, width);
        const auto widths = view::ReadObjectWidthTable(m_path);
        QVERIFY2(widths.ok(), qPrintable(widths.error()));
        QCOMPARE((*widths)[object], width);
    }

    void picturesUseOnlyDrawnTiles()
    {
        const QByteArray tiles = sample::SampleTileData();
        for (int picture = 0; picture < view::PictureCount; ++picture) {
            const QByteArray record = m_stream->record(picture);
            QVERIFY2(!record.isEmpty() && record.back() == '\0',
                     qPrintable(QString::number(picture)));
            for (char byte : record) {
                const int block = quint8(byte);
                if (block < 16 || block == rom::SkyTile)
                    continue;
                const QByteArray tile = tiles.mid(block * rom::TileByteCount, rom::TileByteCount);
                QVERIFY2(tile != QByteArray(rom::TileByteCount, '\0'),
                         qPrintable(QString("picture %1 names tile %2, which is empty")
                                        .arg(picture)
                                        .arg(block)));
            }
        }
    }

    // Drawn at x 16 on a canvas larger than the view, a picture must stay inside the view and
    // inside its own width, so that it never covers the object after it; a span's base picture
    // must stay inside its 16-pixel step, so that its copies tile.
    void everyCatalogueObjectDrawsInsideItsPlace_data()
    {
        QTest::addColumn<int>("object");
        for (int object : catalogueNumbers())
            QTest::addRow("%02X", object) << object;
    }
    void everyCatalogueObjectDrawsInsideItsPlace()
    {
        QFETCH(int, object);
        const auto widths = view::ReadObjectWidthTable(m_path);
        QVERIFY(widths.ok());
        const int place = track::isSpanCode(object) ? 16 : (*widths)[object];
        const int picture = view::pictureOfObject(object);

        constexpr int Origin = 16;
        constexpr QRgb Untouched = qRgb(255, 0, 255);
        QImage canvas(rom::ViewWidth + 2 * Origin, 2 * rom::ViewHeight, QImage::Format_RGB32);
        canvas.fill(Untouched);
        view::DrawObjectPicture(canvas, m_graphics.picGFX, m_stream->record(picture), Origin);

        int drawn = 0;
        for (int y = 0; y < canvas.height(); ++y) {
            for (int x = 0; x < canvas.width(); ++x) {
                if (canvas.pixel(x, y) == Untouched)
                    continue;
                QVERIFY2(x >= Origin && x < Origin + place && y < rom::ViewHeight,
                         qPrintable(QString("drawn at (%1, %2)").arg(x - Origin).arg(y)));
                ++drawn;
            }
        }
        QCOMPARE(drawn > 0, picture != 0);
    }
};

QTEST_GUILESS_MAIN(TestSampleImage)
#include "tst_sample_image.moc"
