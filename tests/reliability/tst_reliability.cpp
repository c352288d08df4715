#include "edit_road.h"
#include "image_builder.h"
#include "name_only_icon_provider.h"
#include "open_image.h"
#include "picture_stream.h"
#include "safety_copy.h"
#include "standard_dialogs.h"
#include "track_io.h"

#include <QtTest>
#include <QtWidgets>

#include <csignal>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace whoopline;
using namespace whoopline::testing;

namespace {

// A small file system of its own over a folder, so that a disk can be full; empty when the system
// won't mount one (it takes root).
struct SmallFileSystem
{
    QTemporaryDir dir;
    const bool mounted =
        ::mount("tmpfs", QFile::encodeName(dir.path()).constData(), "tmpfs", 0, "size=64k") == 0;
    ~SmallFileSystem()
    {
        if (mounted)
            ::umount2(QFile::encodeName(dir.path()).constData(), MNT_DETACH);
    }
};

// The images the edit road walks, generated from a seed.
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

// Saves that write everything or nothing, and the edit road walked over generated images.
class TestReliability : public QObject
{
    Q_OBJECT

private slots:
    // The copy holds the image as it was before the first save; neither a later save nor a later
    // run replaces it. Something else under its name is never replaced: the save is refused.
    void safetyCopyIsMadeOnce()
    {
        QTemporaryDir dir;
        const QByteArray original = ImageBuilder().set(12216, 4).bytes();
        const QString path = writeFile(dir, "race.NES", original);
        SafetyCopies run;
        QVERIFY(run.keepBeforeSaving(path).ok());
        QVERIFY(writeImageBytes(path, 12216, "\x09").ok());
        QVERIFY(run.keepBeforeSaving(path).ok());
        QVERIFY(SafetyCopies().keepBeforeSaving(path).ok());
        QCOMPARE(readWholeFile(dir.filePath("race.bak")), original);

        QVERIFY(QDir(dir.path()).mkdir("other.bak"));
        QCOMPARE(
            run.keepBeforeSaving(dir.filePath("other")).error(),
            QStringLiteral("The safety copy \u201Cother.bak\u201D cannot be written: something "
                           "that is not a file has its name. Nothing was written."));
    }

    // A region that spans a written block and a hole, on a full disk: the save fails before any
    // byte changes, and so does the safety copy.
    void fullDiskChangesNothing()
    {
        SmallFileSystem disk;
        if (!disk.mounted)
            QSKIP("Mounting a small file system takes root.");
        const QByteArray original = ImageBuilder().set(12216, 4).bytes();
        const QString path = writeFile(disk.dir, "image.nes", original);
        const int image = ::open(QFile::encodeName(path).constData(), O_RDWR);
        // Offsets 12288..16383 hold positions 12289..16384: track 5's region (12216..12404) ends
        // there.
        QCOMPARE(::fallocate(image, FALLOC_FL_PUNCH_HOLE | FALLOC_FL_KEEP_SIZE, 12288, 4096), 0);
        ::close(image);
        QFile filler(disk.dir.filePath("filler"));
        QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        while (filler.write(QByteArray(4096, 'f')) > 0) {
        }
        const auto loaded = track::ReadTrack(path, 5, {});
        QVERIFY2(loaded.ok(), qPrintable(loaded.error()));

        QCOMPARE(
            track::WriteTrack(path, 5, 9, loaded->objects).error(),
            QStringLiteral(
                "Track 5 could not be saved: writing to \u201Cimage.nes\u201D failed: No space "
                "left on device. Nothing was written."));
        QCOMPARE(SafetyCopies().keepBeforeSaving(path).error(),
                 QStringLiteral(
                     "The safety copy \u201Cimage.bak\u201D cannot be written: No space left on "
                     "device. Nothing was written."));
        QCOMPARE(readWholeFile(path), original);
        QVERIFY(!QFileInfo::exists(disk.dir.filePath("image.bak")));
    }

    // Open, Load, a redraw's pictures, the safety copy and Save all give the system's reason.
    void linkLoopIsNamed()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("image.nes");
        QVERIFY(QFile::link(path, path));
        for (const QString &message :
             {view::OpenImage(path).error(), track::ReadTrack(path, 5, {}).error(),
              view::PictureStream::read(path).error(), SafetyCopies().keepBeforeSaving(path).error(),
              track::WriteTrack(path, 4, 3, track::TrackObjectList(212)).error()})
            QVERIFY2(message.contains("\u201Cimage.nes\u201D") &&
                         message.contains("Too many levels of symbolic links"),
                     qPrintable(message));
    }

    // Listing a folder reads no file: a file whose every open waits (a write lease holds it for
    // 45 seconds, as reading /proc/kmsg waits for ever) and a pipe don't hold the dialog.
    void openDialogReadsNoFile()
    {
        QTemporaryDir dir;
        QVERIFY(::mkfifo(QFile::encodeName(dir.filePath("pipe.nes")).constData(), 0600) == 0);
        const QString locked = writeFile(dir, "locked.zz9", "%PDF-1.4");
        std::signal(SIGIO, SIG_IGN); // the lease holder is told of each open
        const int lease = ::open(QFile::encodeName(locked).constData(), O_RDONLY);
        if (::fcntl(lease, F_SETLEASE, F_WRLCK) != 0)
            QSKIP("This file system gives no leases.");
        QElapsedTimer timer;
        timer.start();
        {
            shell::NameOnlyIconProvider icons;
            QFileDialog dialog;
            shell::prepareOpenDialog(dialog, icons);
            dialog.selectNameFilter(shell::AnyFileFilter);
            dialog.setDirectory(dir.path());
            dialog.show();
            dialog.selectFile(locked);
            const auto *model = dialog.findChild<QFileSystemModel *>();
            QTRY_COMPARE(model->type(model->index(locked)), QStringLiteral("zz9 File"));
            QTRY_COMPARE(model->type(model->index(dir.filePath("pipe.nes"))),
                         QStringLiteral("nes File"));
        }
        ::close(lease);
        QCOMPARE_LT(timer.elapsed(), 10000);
    }

    // Fixed seeds make every run walk the same steps; from image 100 on, the file is changed under
    // the editor too. The figures must show the road really walked, so that a generator gone
    // wrong can't pass unnoticed.
    void everyPromiseHoldsOnEveryStep()
    {
        QTemporaryDir dir;
        RoadFigures figures;
        for (quint32 seed = 0; seed < 140; ++seed) {
            const QString broken = WalkEditRoad(generateImage(seed), seed, dir.path(), seed >= 100, figures);
            QVERIFY2(broken.isEmpty(), qPrintable(broken));
        }
        QVERIFY(figures.loads > 140 * 4 && figures.refusedLoads > 0);
        QVERIFY(figures.saves - figures.refusedSaves > 140 * 2 && figures.refusedSaves > 0);
    }
};

QTEST_MAIN(TestReliability)
#include "tst_reliability.moc"
