#include "edit_road.h"
#include "image_builder.h"
#include "rom/ips_patch.h"
#include "rom/safety_copy.h"
#include "rom/whole_file.h"
#include "shell/dialogs/standard_dialogs.h"
#include "shell/window/name_only_icon_provider.h"
#include "track/track_io.h"
#include "view/open_image.h"
#include "view/picture_stream.h"

#include <QtTest>
#include <QtWidgets>

#include <csignal>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

using namespace whoopline;
using namespace whoopline::testing;

namespace {

// A small file system of its own over a folder, so that a disk can be full; empty when the system
// won't mount one (it takes root).
struct SmallFileSystem
{
    QTemporaryDir dir;
    const bool mounted = ::mount("tmpfs", QFile::encodeName(dir.path()).constData(), "tmpfs", 0, "size=64k") == 0;
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
    // The copy holds the image as it was before the first save, readable by whom the image is;
    // neither a later save nor a later run replaces it.
    void safetyCopyIsMadeOnce()
    {
        QTemporaryDir dir;
        const QByteArray original = ImageBuilder().set(12216, 4).bytes();
        const QString path = writeFile(dir, "race.NES", original);
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
        SafetyCopies run;
        QVERIFY(run.keepBeforeSaving(path).ok());
        QVERIFY(writeImageBytes(path, 12216, "\x09").ok());
        QVERIFY(run.keepBeforeSaving(path).ok());
        QVERIFY(SafetyCopies().keepBeforeSaving(path).ok());
        QCOMPARE(std::tuple(readWholeFile(dir.filePath("race.bak")), QFile::permissions(dir.filePath("race.bak"))), std::tuple(original, QFile::permissions(path)));
    }

    // Only a regular file of the image's size is taken as its safety copy: anything else under
    // that name stops the save and the patch, and is never written through.
    void foreignSafetyCopyIsRefused_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("what");
        QTest::newRow("folder") << "folder" << "it is a folder";
        QTest::newRow("old backup") << "short" << "it is 11 bytes long and the image 24,592";
        QTest::newRow("link to an image") << "link" << "it is a symbolic link";
        QTest::newRow("hard link to the image") << "hard" << "it is the image itself under another name";
    }
    void foreignSafetyCopyIsRefused()
    {
        QFETCH(QString, kind);
        QFETCH(QString, what);
        QTemporaryDir dir;
        const QString path = ImageBuilder().write(dir, "race.nes"), other = ImageBuilder().set(1, 9).write(dir, "o.nes");
        QVERIFY(kind == "folder" ? QDir(dir.path()).mkdir("race.bak")
                : kind == "short" ? !writeFile(dir, "race.bak", "old backup\n").isEmpty()
                : kind == "hard"  ? ::link(QFile::encodeName(path), QFile::encodeName(dir.filePath("race.bak"))) == 0
                                  : QFile::link(other, dir.filePath("race.bak")));
        const QString message = "\u201Crace.bak\u201D has the name of the safety copy of \u201Crace.nes\u201D, but " +
                                what + ", so it can't be that copy. Move it away or rename it, then try again; nothing was written.";
        QCOMPARE(std::tuple(SafetyCopies().keepBeforeSaving(path).error(), MakePatchFromSafetyCopy(path).error()), std::tuple(message, message));
        QCOMPARE(readWholeFile(other).at(0), '\x09');
    }

    // An output that can't be written whole leaves what had its name as it was and nothing beside
    // it, and says why in the system's words or what is in the way.
    void outputIsWholeOrNotWritten_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("replaced, its permissions kept") << "file" << "";
        QTest::newRow("through a link, which stays") << "to file" << "";
        QTest::newRow("full disk") << "disk" << "No space left on device";
        QTest::newRow("file-size limit") << "limit" << "File too large";
        QTest::newRow("named pipe") << "pipe" << "it is a named pipe, not a regular file";
        QTest::newRow("device") << "device" << "it is a character device, not a regular file";
        QTest::newRow("link to a device") << "link" << "it is a character device, not a regular file";
    }
    void outputIsWholeOrNotWritten()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        SmallFileSystem disk;
        if (kind == "disk" && !disk.mounted)
            QSKIP("Mounting a small file system takes root.");
        const QString out = disk.dir.filePath("out.png");
        const QByteArray node = QFile::encodeName(kind == "link" ? disk.dir.filePath("dev") : out);
        if (kind == "pipe")
            QCOMPARE(::mkfifo(node, 0600), 0);
        else if ((kind == "device" || kind == "link") && ::mknod(node, S_IFCHR | 0600, makedev(1, 3)) != 0)
            QSKIP("Making a device node takes root.");
        const QString target = disk.dir.filePath("target");
        if (kind != "link" && (kind == "to file" || !QFileInfo::exists(out)))
            QVERIFY(!writeFile(disk.dir, kind == "to file" ? "target" : "out.png", "old").isEmpty());
        QVERIFY(kind == "link" || kind == "to file" ? QFile::link(kind == "link" ? node : target, out)
                                                    : QFile::setPermissions(out, QFile::ReadOwner | QFile::WriteOwner));
        const auto entries = [&] { return QDir(disk.dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System); };
        const QStringList before = entries();
        rlimit limit{}, small{4096, RLIM_INFINITY};
        std::signal(SIGXFSZ, SIG_IGN); // a write past the limit then fails with EFBIG
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &limit), 0);
        QVERIFY((kind != "limit" || ::setrlimit(RLIMIT_FSIZE, &small) == 0));
        const QByteArray picture(kind == "disk" ? 100000 : 8000, 'p');
        const Status written = replaceFileWith(out, picture, {"The picture"});
        ::setrlimit(RLIMIT_FSIZE, &limit);
        QCOMPARE(written.error(), reason.isEmpty() ? "" : "The picture \u201Cout.png\u201D could not be written: " + reason + '.');
        QCOMPARE(entries(), before);
        QCOMPARE(std::tuple(QFileInfo(out).isFile(), QFileInfo(out).isSymLink()), std::tuple(kind == "file" || kind == "to file" || kind == "disk" || kind == "limit", kind == "link" || kind == "to file"));
        QVERIFY(kind != "file" || QFile::permissions(out) == (QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser));
        if (QFileInfo(out).isFile())
            QCOMPARE(std::tuple(readWholeFile(out), wroteFileMessage(out, 393)), std::tuple(reason.isEmpty() ? picture : "old", "Wrote \u201Cout.png\u201D (393 bytes)."));
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

        QCOMPARE(track::WriteTrack(path, 5, 9, loaded->objects).error(),
            QStringLiteral("Track 5 could not be saved: writing to \u201Cimage.nes\u201D failed: No space "
                "left on device. Nothing was written."));
        QCOMPARE(SafetyCopies().keepBeforeSaving(path).error(), QStringLiteral(
                     "The safety copy \u201Cimage.bak\u201D could not be written: No space left on "
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
        for (const QString &message : {view::OpenImage(path).error(), track::ReadTrack(path, 5, {}).error(),
              view::PictureStream::read(path).error(), SafetyCopies().keepBeforeSaving(path).error(),
              track::WriteTrack(path, 4, 3, track::TrackObjectList(212)).error(),
              rom::MakeIpsPatchBetweenFiles(path, path).error()})
            QVERIFY2(message.contains(QRegularExpression("\u201Cimage\\.nes\u201D.*Too many levels of symbolic links")), qPrintable(message));
    }

    // A socket is no image, and a name whose bytes were lost as text names no file: neither is
    // read or written as a missing file.
    void unopenableNamesSayWhy()
    {
        QTemporaryDir dir;
        const QString socketPath = dir.filePath("socket.nes"), lost = dir.filePath("b\uFFFD.nes");
        const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{AF_UNIX, {}};
        qstrncpy(address.sun_path, QFile::encodeName(socketPath).constData(), sizeof address.sun_path);
        QCOMPARE(::bind(socket, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
        QVERIFY(view::OpenImage(socketPath).error().endsWith("is not a regular file, so it cannot be a cartridge image."));
        ::close(socket);
        const QByteArray raw = QFile::encodeName(dir.path()) + "/b\xFF.nes";
        QCOMPARE(::rename(QFile::encodeName(ImageBuilder().write(dir)), raw), 0);
        for (const QString &message : {view::OpenImage(lost).error(), readEntireFile(lost, 9).error(), replaceFileWith(lost, "x").error()})
            QVERIFY2(message.contains(QRegularExpression("\u201Cb\uFFFD\\.nes\u201D holds bytes that are not text.*can't be used")), qPrintable(message));
        QCOMPARE(::unlink(raw), 0);
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot), QStringList{"socket.nes"});
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
            QTRY_COMPARE(model->type(model->index(dir.filePath("pipe.nes"))), QStringLiteral("nes File"));
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
        QVERIFY(figures.loads > 140 * 4);
        QVERIFY(figures.refusedLoads > 0);
        QVERIFY(figures.saves - figures.refusedSaves > 140 * 2);
        QVERIFY(figures.refusedSaves > 0);
    }
};

QTEST_MAIN(TestReliability)
#include "tst_reliability.moc"
