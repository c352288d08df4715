#include "image_builder.h"
#include "nes_palette.h"
#include "object_picture.h"
#include "open_image.h"
#include "picture_stream.h"
#include "sample_image.h"
#include "sample_pictures.h"
#include "sample_tiles.h"
#include "track_codec.h"
#include "track_io.h"

#include <QHash>
#include <QSet>
#include <QTest>

using namespace whoopline;
using namespace whoopline::testing;

class TestSampleImage : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    view::OpenedImage m_image;
    view::PictureStream m_stream;

    // The object numbers the selector offers: 0..35, 48, 49 and the spans 64..70.
    static bool offered(int n)
    {
        return n < 0x24 || n == 0x30 || n == 0x31 || track::isSpanCode(n);
    }

private slots:
    void initTestCase()
    {
        // Written over a longer file, the image must replace it whole.
        const QString path = writeFile(m_dir, "sample.nes", QByteArray(30000, 'x'));
        QVERIFY(sample::WriteSampleImage(path).ok());
        QCOMPARE(readWholeFile(path), sample::BuildSampleImage());
        auto image = view::OpenImage(path);
        auto stream = view::PictureStream::read(path);
        QVERIFY2(image && stream, qPrintable(image.error() + stream.error()));
        m_image = *image;
        m_stream = *stream;
    }

    void imageIsACartridgeWithNothingButOurData()
    {
        QByteArray image = sample::BuildSampleImage();
        QCOMPARE(image.left(16), QByteArray("NES\x1A\x01\x01", 6) + QByteArray(10, '\0'));
        QSet<QRgb> colours;
        for (int slot = 0; slot < rom::PaletteSize; ++slot)
            colours << rom::NesColorToRgb(quint8(image.at(offsetOf(rom::PalettePosition + slot))));
        QCOMPARE(colours.size(), rom::PaletteSize);

        const Position tracks = track::trackStartPosition(1);
        const std::pair<Position, qint64> ours[] = {
            {1, 6},
            {rom::PalettePosition, rom::PaletteSize},
            {tracks, track::PositionAfterLastRegion - tracks + 1},
            {view::PictureStreamPosition, sample::SamplePictureStream().size()},
            {rom::TileDataOffset + 1, rom::TileDataSize}};
        for (const auto &[first, count] : ours)
            image.replace(offsetOf(first), count, QByteArray(count, '\0'));
        QCOMPARE(image, QByteArray(24592, '\0'));

        const QStringList problems = sample::SampleTileArtProblems();
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
    }

    void failedWriteNamesThePath()
    {
        const Status failed = sample::WriteSampleImage(m_dir.filePath("missing/sample.nes"));
        QVERIFY2(!failed.ok() && failed.error().contains("missing/sample.nes"),
                 qPrintable(failed.error()));
    }

    void tracksLoadWholeAndSurviveAnUnchangedSave_data()
    {
        QTest::addColumn<int>("track");
        for (int track = 1; track <= track::TrackCount; ++track)
            QTest::addRow("track %d", track) << track;
    }
    // Every object is one the selector offers. Only track 5 ends in a span whose length is the
    // byte after its region.
    void tracksLoadWholeAndSurviveAnUnchangedSave()
    {
        QFETCH(int, track);
        const QString path =
            writeFile(m_dir, QString("track%1.nes").arg(track), sample::BuildSampleImage());
        const auto loaded = track::ReadTrack(path, track, m_image.ObjectWidthTable);
        QVERIFY2(loaded.ok(), qPrintable(loaded.error()));
        QVERIFY(loaded->laps >= 2 && loaded->laps <= 5);
        QCOMPARE(track::ByteTotal(loaded->objects), track::trackByteBudget(track) + (track == 5));
        for (const track::TrackObject &object : loaded->objects) {
            const int number = object.isSpan() ? object.code() : track::objectIdOf(object.code());
            QVERIFY2(offered(number), qPrintable(QString::number(number)));
        }

        const Status saved = track::WriteTrack(path, track, loaded->laps, loaded->objects);
        QVERIFY2(saved.ok(), qPrintable(saved.error()));
        QCOMPARE(readWholeFile(path), sample::BuildSampleImage());
    }

    void everyCatalogueObjectDrawsInsideItsPlace_data()
    {
        QTest::addColumn<int>("object");
        QTest::addColumn<int>("blocks"); // the width its name gives; 0 when it names none
        const QHash<int, int> named = {{0x01, 9}, {0x05, 9}, {0x06, 6}, {0x07, 5}, {0x08, 3},
                                       {0x0A, 6}, {0x0B, 5}, {0x0E, 3}, {0x14, 8}, {0x1D, 3}};
        for (int object = 0; object <= track::LastSpanCode; ++object) {
            if (offered(object))
                QTest::addRow("%02X", object) << object << named.value(object);
        }
    }
    // Drawn at x 16 on a canvas larger than the view, a picture must stay inside the view and its
    // own width, so that it never covers the next object; a span's base picture must stay inside
    // its 16-pixel step, so that its copies tile. Every tile it names must have art.
    void everyCatalogueObjectDrawsInsideItsPlace()
    {
        QFETCH(int, object);
        QFETCH(int, blocks);
        const int width = track::isSpanCode(object) ? 16 : m_image.ObjectWidthTable[object];
        QVERIFY(blocks == 0 || width == 16 * blocks);
        const int picture = view::pictureOfObject(object);
        const QByteArray record = m_stream.record(picture);
        const QByteArray tiles = sample::SampleTileData();
        for (const char byte : record) {
            const int tile = quint8(byte);
            const QByteArray art = tiles.mid(tile * rom::TileByteCount, rom::TileByteCount);
            QVERIFY2(tile < 16 || tile == rom::SkyTile || art.count('\0') < art.size(),
                     qPrintable(QString("tile %1 has no art").arg(tile)));
        }

        constexpr int Origin = 16;
        constexpr QRgb Untouched = qRgb(255, 0, 255);
        QImage canvas(rom::ViewWidth + 2 * Origin, 2 * rom::ViewHeight, QImage::Format_RGB32);
        canvas.fill(Untouched);
        view::DrawObjectPicture(canvas, m_image.graphics.picGFX, record, Origin);
        int drawn = 0;
        for (int y = 0; y < canvas.height(); ++y) {
            for (int x = 0; x < canvas.width(); ++x) {
                if (canvas.pixel(x, y) == Untouched)
                    continue;
                QVERIFY2(x >= Origin && x < Origin + width && y < rom::ViewHeight,
                         qPrintable(QString("drawn at (%1, %2)").arg(x - Origin).arg(y)));
                ++drawn;
            }
        }
        QCOMPARE(drawn > 0, picture != 0);
    }
};

QTEST_GUILESS_MAIN(TestSampleImage)
#include "tst_sample_image.moc"
