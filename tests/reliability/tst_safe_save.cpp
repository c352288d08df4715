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

} // namespace

class TestSafeSave : public QObject
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
};

QTEST_MAIN(TestSafeSave)
#include "tst_safe_save.moc"
