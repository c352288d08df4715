#include "edit_road.h"
#include "image_builder.h"

#include <QRandomGenerator>
#include <QTest>

using namespace whoopline;
using namespace whoopline::testing;

namespace {

QByteArray randomBytes(QRandomGenerator &random, qint64 count, int lowest = 0)
{
    QByteArray result(count, '\0');
    for (char &byte : result)
        byte = char(random.bounded(lowest, 256));
    return result;
}

// Exactly budget bytes of whole, known objects: ids 0..49, some marked, and spans 0x40..0x46,
// often of length 0 or 255. A span on the last byte takes its length from the byte after it.
QByteArray objectBytes(QRandomGenerator &random, int budget, bool spanOnLastByte)
{
    static constexpr int lengths[] = {0, 255, 1, 7};
    QByteArray result;
    while (result.size() < budget - int(spanOnLastByte)) {
        if (result.size() + 2 <= budget - int(spanOnLastByte) && random.bounded(3) == 0)
            result += bytes({0x40 + int(random.bounded(7)),
                             random.bounded(2) ? lengths[random.bounded(4)] : int(random.bounded(256))});
        else
            result += char(random.bounded(50) | random.bounded(2) * 0x80);
    }
    return spanOnLastByte ? result + char(0x40 + random.bounded(7)) : result;
}

// One track's region, well-formed or one of three hostile kinds; returns what loading it must do.
LoadExpectation putTrack(ImageBuilder &image, QRandomGenerator &random, int track, int hostile)
{
    const Position start = TrackStarts[track - 1];
    const int budget = TrackBudgets[track - 1];
    image.set(start, bytes({hostile == 1 ? 0 : int(random.bounded(1, 256))})); // laps 0
    if (hostile == 2) { // whole objects, then an id of 50..127 that is no span code, maybe marked
        const int unknown = 50 + int(random.bounded(71));
        const int code = (unknown < 0x40 ? unknown : unknown + 7) | random.bounded(2) * 0x80;
        image.set(start + 1, objectBytes(random, int(random.bounded(budget)), false) + char(code));
    } else if (hostile == 3) { // spans of length 255; on an odd budget the last length lies after
        image.set(start + 1, bytes({0x40 + int(random.bounded(7)), 255}).repeated(budget / 2 + 1).left(budget));
    } else {
        image.set(start + 1, objectBytes(random, budget, random.bounded(4) == 0));
    }
    return hostile == 1 || hostile == 2 ? LoadExpectation::Refused : LoadExpectation::Loads;
}

// The same seed always gives the same image: random bytes, and in them five tracks at their
// places, one in four hostile. One image in eight is nothing but random bytes; in one the
// picture stream has no 0 byte to the file's end, so its first record is thousands of bytes long.
RoadImage generateImage(quint32 seed)
{
    QRandomGenerator random(seed * 7919u + 1);
    const int shape = int(random.bounded(8));
    const qint64 size = 24592 + (random.bounded(4) == 0 ? random.bounded(40000) : 0);
    ImageBuilder image = ImageBuilder(0).set(1, randomBytes(random, size));
    if (shape == 1)
        image.set(12476, randomBytes(random, size - 12475, 1));
    RoadImage road{QStringLiteral("image %1").arg(seed), {}, {}};
    road.tracks.fill(LoadExpectation::Either);
    for (int track = 1; track <= 5 && shape != 0; ++track)
        road.tracks[track - 1] = putTrack(image, random, track, random.bounded(4) == 0 ? int(random.bounded(1, 4)) : 0);
    road.bytes = image.bytes();
    return road;
}

} // namespace

class TestEditRoad : public QObject
{
    Q_OBJECT

private slots:
    // Fixed seeds make every run walk the same steps. The figures must show the road really
    // walked, so that a generator gone wrong can't pass unnoticed.
    void everyPromiseHoldsOnEveryStep_data()
    {
        QTest::addColumn<bool>("fileFaults");
        QTest::newRow("generated images") << false;
        QTest::newRow("generated images, the file changed under the editor") << true;
    }
    void everyPromiseHoldsOnEveryStep()
    {
        QFETCH(bool, fileFaults);
        QTemporaryDir dir;
        RoadFigures figures;
        const quint32 first = fileFaults ? 1000 : 0, images = fileFaults ? 40 : 100;
        for (quint32 seed = first; seed < first + images; ++seed) {
            const QString broken = WalkEditRoad(generateImage(seed), seed, dir.path(), fileFaults, figures);
            QVERIFY2(broken.isEmpty(), qPrintable(broken));
        }
        qInfo("%d images, %d steps: %d loads (%d refused), %d saves (%d refused)", figures.images,
              figures.steps, figures.loads, figures.refusedLoads, figures.saves, figures.refusedSaves);
        QVERIFY(figures.loads > int(images) * 4 && figures.refusedLoads > 0);
        QVERIFY(figures.saves - figures.refusedSaves > int(images) * 2 && figures.refusedSaves > 0);
    }
};

QTEST_GUILESS_MAIN(TestEditRoad)
#include "tst_edit_road.moc"
