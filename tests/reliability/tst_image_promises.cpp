#include "image_builder.h"
#include "image_promises.h"
#include "picture_tables.h"
#include "sample_image.h"
#include "track_layout.h"

#include <QTemporaryDir>
#include <QTest>

using namespace whoopline;
using namespace whoopline::testing;
using namespace whoopline::track;

namespace {

ImageBuilder sampleImage()
{
    const QByteArray sample = sample::BuildSampleImage();
    ImageBuilder image(sample.size());
    image.set(1, sample);
    return image;
}

} // namespace

class TestImagePromises : public QObject
{
    Q_OBJECT

private slots:
    // The fuzz target trusts this check; it must see every change a save may not make.
    void spotsChangesOutsideTheRegion_data()
    {
        QTest::addColumn<qint64>("changedPosition");
        QTest::addColumn<qint64>("newSize");
        QTest::addColumn<QString>("message");
        const qint64 size = rom::MinimumImageSize;
        QTest::newRow("laps byte") << qint64(11737) << size << "";
        QTest::newRow("last object byte") << qint64(11881) << size << "";
        QTest::newRow("last byte of the region before")
            << qint64(11736) << size
            << "a save of track 3 changed position 11736, outside its region.";
        QTest::newRow("byte after the region")
            << qint64(11882) << size
            << "a save of track 3 changed position 11882, outside its region.";
        QTest::newRow("first byte of the file")
            << qint64(1) << size << "a save of track 3 changed position 1, outside its region.";
        QTest::newRow("a byte longer")
            << qint64(0) << size + 1 << "the file's size changed from 24592 to 24593.";
        QTest::newRow("a byte shorter")
            << qint64(0) << size - 1 << "the file's size changed from 24592 to 24591.";
    }
    void spotsChangesOutsideTheRegion()
    {
        QFETCH(qint64, changedPosition);
        QFETCH(qint64, newSize);
        QFETCH(QString, message);
        const QByteArray before = sampleImage().bytes();
        ImageBuilder after = sampleImage();
        if (changedPosition > 0)
            after.set(changedPosition, after.at(changedPosition) ^ 0x5A);
        after.resize(newSize);
        QCOMPARE(ChangeOutsideTrackRegion(before, after.bytes(), 3), message);
    }

    // Hostile images, and every input the fuzz target ever found a fault with, replayed.
    void imagesKeepEveryPromise_data()
    {
        QTest::addColumn<QByteArray>("image");
        const auto add = [](const char *name, const ImageBuilder &image) {
            QTest::newRow(name) << image.bytes();
        };
        add("sample image", sampleImage());
        add("empty file", ImageBuilder(0));
        add("one byte too short", sampleImage().resize(rom::MinimumImageSize - 1));
        add("cut inside track 2", sampleImage().resize(11900));
        add("every byte 0xFF", ImageBuilder().fill(1, rom::MinimumImageSize, 0xFF));
        add("every byte 0", ImageBuilder().fill(1, rom::MinimumImageSize, 0));
        add("all laps 0",
            sampleImage().set(11607, 0).set(11882, 0).set(11737, 0).set(12003, 0).set(12216, 0));
        add("picture stream without zeros",
            sampleImage().fill(view::PictureStreamPosition, rom::MinimumImageSize - 12475, 0x11));
        add("one huge record of column starts", sampleImage()
                                                    .fill(view::PictureStreamPosition, 60000, 0x01)
                                                    .set(view::PictureStreamPosition + 60000, 0));
        ImageBuilder spans = sampleImage();
        for (int track = 1; track <= TrackCount; ++track) {
            for (int i = 0; i < trackByteBudget(track); i += 2)
                spans.set(trackStartPosition(track) + 1 + i, {0x46, 0xFF});
        }
        add("spans of length 255 on every track", spans);
        ImageBuilder lastByte = sampleImage();
        for (int track = 1; track <= TrackCount; ++track)
            lastByte.set(trackStartPosition(track) + trackByteBudget(track), 0x44);
        add("every track ends in a span on its last byte",
            lastByte.set(PositionAfterLastRegion, 0xFF));
    }
    void imagesKeepEveryPromise()
    {
        QFETCH(QByteArray, image);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString broken = CheckImagePromises(image, dir.path());
        QVERIFY2(broken.isEmpty(), qPrintable(broken));
    }
};

QTEST_GUILESS_MAIN(TestImagePromises)
#include "tst_image_promises.moc"
