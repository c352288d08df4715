#include "edit_road.h"
#include "generated_images.h"

#include <QTemporaryDir>
#include <QTest>

using namespace whoopline::testing;

Q_DECLARE_METATYPE(ImageFamily)

class TestEditRoad : public QObject
{
    Q_OBJECT

private slots:
    // Each row walks the road on `images` images of one family; fixed seeds make every run walk
    // the same steps.
    void everyPromiseHoldsOnEveryStep_data()
    {
        QTest::addColumn<ImageFamily>("family");
        QTest::addColumn<int>("images");
        QTest::addColumn<bool>("fileFaults");
        QTest::addColumn<bool>("tracksLoad");
        QTest::addColumn<bool>("tracksRefused");
        QTest::newRow("sample image") << ImageFamily::Sample << 25 << false << true << false;
        QTest::newRow("well-formed") << ImageFamily::WellFormed << 60 << false << true << false;
        QTest::newRow("well-formed, file changed while open")
            << ImageFamily::WellFormed << 30 << true << true << true;
        QTest::newRow("random bytes") << ImageFamily::RandomBytes << 30 << false << false << true;
        QTest::newRow("truncated") << ImageFamily::Truncated << 40 << false << false << false;
        QTest::newRow("stream without zeros")
            << ImageFamily::StreamWithoutZeros << 15 << false << true << false;
        QTest::newRow("huge records") << ImageFamily::HugeRecords << 15 << false << true << false;
        QTest::newRow("hostile tracks")
            << ImageFamily::HostileTracks << 70 << false << true << true;
    }
    void everyPromiseHoldsOnEveryStep()
    {
        QFETCH(ImageFamily, family);
        QFETCH(int, images);
        QFETCH(bool, fileFaults);
        QFETCH(bool, tracksLoad);
        QFETCH(bool, tracksRefused);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        RoadFigures figures;
        // The rows with file faults walk other images than the rows without.
        const quint32 firstSeed = fileFaults ? 1000 : 0;
        for (quint32 seed = firstSeed; seed < firstSeed + quint32(images); ++seed) {
            const GeneratedImage image = GenerateImage(family, seed);
            const QString broken = WalkEditRoad(image, seed, dir.path(), fileFaults, figures);
            QVERIFY2(broken.isEmpty(), qPrintable(broken));
        }
        qInfo("%d images, %d steps: %d loads (%d refused), %d replacements, %d saves (%d refused), "
              "%d reloads after a shortening save refused, %d file faults",
              figures.images, figures.steps, figures.loads, figures.refusedLoads,
              figures.replacements, figures.saves, figures.refusedSaves, figures.reloadsRefused,
              figures.fileFaults);

        // The road must really have been walked: a generator gone wrong would pass unnoticed.
        QCOMPARE(figures.images, images);
        if (family == ImageFamily::Truncated) {
            QCOMPARE(figures.loads, 0);
            return;
        }
        QCOMPARE(figures.loads, images * whoopline::track::TrackCount);
        QVERIFY(figures.replacements > images);
        QCOMPARE(figures.saves - figures.refusedSaves > images, tracksLoad);
        QCOMPARE(figures.refusedLoads > 0, tracksRefused);
        QCOMPARE(figures.fileFaults > 0, fileFaults);
    }
};

QTEST_GUILESS_MAIN(TestEditRoad)
#include "tst_edit_road.moc"
