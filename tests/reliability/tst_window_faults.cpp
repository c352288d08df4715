#include "file_faults.h"
#include "file_state.h"
#include "image_builder.h"
#include "sample_image.h"
#include "track_codec.h"
#include "track_layout.h"
#include "window_harness.h"

#include <QScopeGuard>

#ifdef Q_OS_LINUX
#include <csignal>
#include <sys/resource.h>
#endif

using namespace whoopline;
using namespace whoopline::testing;

namespace {

void addFaultRows()
{
    QTest::addColumn<FileFault>("fault");
    for (const auto &[name, fault] : FileFaults())
        QTest::newRow(name) << fault;
}

} // namespace

Q_DECLARE_METATYPE(whoopline::testing::FileFault)

class TestWindowFaults : public QObject
{
    Q_OBJECT

private slots:
    void refusedOpenLeavesTheWindowAsItWas_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty file") << QByteArray() << "file"
                                    << "The file \u201Cother.nes\u201D is 0 bytes long; a "
                                       "cartridge image needs at least 24,592.";
        QTest::newRow("24,591 bytes") << sample::BuildSampleImage().left(24591) << "file"
                                      << "The file \u201Cother.nes\u201D is 24,591 bytes long; a "
                                         "cartridge image needs at least 24,592.";
#ifdef Q_OS_LINUX
        QTest::newRow("a named pipe")
            << QByteArray() << "pipe"
            << "\u201Cother.nes\u201D is not a regular file, so it cannot be a cartridge image.";
        QTest::newRow("a link to a device")
            << QByteArray() << "device"
            << "\u201Cother.nes\u201D is not a regular file, so it cannot be a cartridge image.";
#endif
    }
    void refusedOpenLeavesTheWindowAsItWas()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, kind);
        QFETCH(QString, message);
        QTemporaryDir dir;
        Harness h;
        h.open(writeFile(dir, "sample.nes", sample::BuildSampleImage()));
        h.load(2);
        QTest::mouseClick(h.window.btnNext, Qt::LeftButton);
        const QString other = dir.filePath("other.nes");
        if (kind == "file")
            writeFile(dir, "other.nes", bytes);
        else
            QVERIFY(StageFileFault(kind == "pipe" ? FileFault::NamedPipe : FileFault::DeviceLink,
                                   other, {}, 1));
        const WindowState before(h.window);
        const QString otherBefore = DescribePath(other);

        h.open(other);
        QCOMPARE(h.messages, QStringList{message});
        QCOMPARE(h.icons, QList<QMessageBox::Icon>{QMessageBox::Warning});
        QVERIFY(WindowState(h.window) == before);
        QCOMPARE(DescribePath(other), otherBefore);
        h.window.mnuSave->trigger(); // the loaded track still belongs to the open image
        QCOMPARE(h.messages.last(), QStringLiteral("Level saved successfully!"));
    }

    void refusedLoadLeavesTheWindowAsItWas_data()
    {
        addFaultRows();
    }
    void refusedLoadLeavesTheWindowAsItWas()
    {
        QFETCH(FileFault, fault);
        QTemporaryDir dir;
        const QString path = writeFile(dir, "sample.nes", sample::BuildSampleImage());
        Harness h;
        h.open(path);
        h.load(1);
        QTest::mouseClick(h.window.btnNext10, Qt::LeftButton);
        QVERIFY(StageFileFault(fault, path, sample::BuildSampleImage(), 4));
        const WindowState before(h.window);
        const QString fileBefore = DescribePath(path);

        h.load(4);
        QCOMPARE(h.messages.size(), 1);
        QCOMPARE(h.icons.first(), QMessageBox::Warning);
        QVERIFY2(h.messages.first().startsWith("Track 4 cannot be loaded: ") &&
                     h.messages.first().contains("sample.nes"),
                 qPrintable(h.messages.first()));
        QVERIFY(WindowState(h.window) == before);
        QCOMPARE(DescribePath(path), fileBefore);
    }

    // A redraw that can't read the pictures goes on with what it can: the background, and the
    // labels of the object the button moved to.
    void redrawWithoutPicturesShowsTheBackground_data()
    {
        addFaultRows();
    }
    void redrawWithoutPicturesShowsTheBackground()
    {
        QFETCH(FileFault, fault);
        QTemporaryDir dir;
        const QString path = writeFile(dir, "sample.nes", sample::BuildSampleImage());
        Harness h;
        h.open(path);
        h.load(3);
        const QImage drawn = h.window.picTrack->picture();
        QVERIFY(drawn != h.window.picBuffer);
        QVERIFY(StageFileFault(fault, path, sample::BuildSampleImage(), 3));
        const QString fileBefore = DescribePath(path);

        QTest::mouseClick(h.window.btnNext, Qt::LeftButton);
        QVERIFY(h.messages.isEmpty());
        QCOMPARE(h.window.Track.CurrentObject, 1);
        QCOMPARE(h.window.picTrack->picture(), h.window.picBuffer);
        QCOMPARE(h.window.lblCurrentObject->text(),
                 track::FormatObjectByte(h.window.Track.current().code()));
        QCOMPARE(h.window.shpSelect->width(), h.window.Track.current().Width);
        QCOMPARE(DescribePath(path), fileBefore);
    }

    // After the refusal the track is still there, edits included: once the file is back, the
    // same Save writes it. Track 5 of the sample ends in a span whose length is the byte after
    // the region, which the save reads before it writes.
    void refusedSaveLosesNothing_data()
    {
        QTest::addColumn<FileFault>("fault");
        QTest::addColumn<int>("track");
        for (int track : {4, 5}) {
            for (const auto &[name, fault] : FileFaults())
                QTest::addRow("track %d, %s", track, name) << fault << track;
        }
    }
    void refusedSaveLosesNothing()
    {
        QFETCH(FileFault, fault);
        QFETCH(int, track);
        QTemporaryDir dir;
        const QString path = writeFile(dir, "sample.nes", sample::BuildSampleImage());
        Harness h;
        h.open(path);
        h.load(track);
        h.window.scrLaps->setValue(9);
        QVERIFY(StageFileFault(fault, path, sample::BuildSampleImage(), track));
        const WindowState before(h.window);
        const QString fileBefore = DescribePath(path);

        h.window.mnuSave->trigger();
        QCOMPARE(h.messages.size(), 1);
        QCOMPARE(h.icons.first(), QMessageBox::Warning);
        QVERIFY2(h.messages.first().startsWith(
                     QStringLiteral("Track %1 could not be saved: ").arg(track)) &&
                     h.messages.first().contains("sample.nes") &&
                     h.messages.first().contains("nothing was written", Qt::CaseInsensitive),
                 qPrintable(h.messages.first()));
        QVERIFY(WindowState(h.window) == before);
        QCOMPARE(DescribePath(path), fileBefore);

        QVERIFY(writeFileState(path, {FileState::File, sample::BuildSampleImage()}));
        h.window.mnuSave->trigger();
        QCOMPARE(h.messages.last(), QStringLiteral("Level saved successfully!"));
        QByteArray expected = sample::BuildSampleImage();
        expected[offsetOf(track::trackStartPosition(track))] = 9;
        QCOMPARE(observeFile(path).bytes, expected);
    }

    // A file size limit makes the write itself fail, whoever runs the test.
    void failedWriteIsNoSuccess()
    {
#ifndef Q_OS_LINUX
        QSKIP("needs RLIMIT_FSIZE");
#else
        QTemporaryDir dir;
        const QString path = writeFile(dir, "sample.nes", sample::BuildSampleImage());
        Harness h;
        h.open(path);
        h.load(5);
        h.window.scrLaps->setValue(7);
        const WindowState before(h.window);
        {
            rlimit old{};
            QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
            const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
            const auto restore = qScopeGuard([&] {
                setrlimit(RLIMIT_FSIZE, &old);
                std::signal(SIGXFSZ, oldHandler);
            });
            rlimit lowered = old;
            lowered.rlim_cur = 4096;
            QCOMPARE(setrlimit(RLIMIT_FSIZE, &lowered), 0);
            h.window.mnuSave->trigger();
        }
        QCOMPARE(h.messages.size(), 1);
        QCOMPARE(h.icons.first(), QMessageBox::Warning);
        QVERIFY2(h.messages.first().startsWith(
                     "Track 5 could not be saved: writing to \u201Csample.nes\u201D failed: "),
                 qPrintable(h.messages.first()));
        QVERIFY(WindowState(h.window) == before);
        QCOMPARE(observeFile(path).bytes, sample::BuildSampleImage());
#endif
    }
};

QTEST_MAIN(TestWindowFaults)
#include "tst_window_faults.moc"
