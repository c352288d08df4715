#include "file_state.h"
#include "frm_main.h"
#include "image_builder.h"
#include "picture_box.h"
#include "rectangle_shape.h"
#include "sample_image.h"
#include "track_codec.h"
#include "track_layout.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollBar>
#include <QtTest>

#ifdef Q_OS_LINUX
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#endif

using namespace whoopline;
using namespace whoopline::testing;
using whoopline::shell::frmMain;

namespace {

// A main window whose dialogs answer from the test: Open hands out `chosen`, and every message
// is kept instead of shown.
struct Harness
{
    frmMain window;
    QString chosen;
    QStringList messages;
    QList<QMessageBox::Icon> icons;

    Harness()
    {
        window.chooseImageFile = [this](QWidget *) { return chosen; };
        window.showMessage = [this](QWidget *, QMessageBox::Icon icon, const QString &,
                                    const QString &text) {
            icons.append(icon);
            messages.append(text);
        };
    }
    void open(const QString &path)
    {
        chosen = path;
        window.mnuOpen->trigger();
    }
    void load(int track)
    {
        window.scrLoadTrack->setValue(track);
        QTest::mouseClick(window.btnLoadTrack, Qt::LeftButton);
    }
};

// Everything of the window that a refused command must leave exactly as it was.
struct WindowState
{
    QString romPath;
    QList<track::TrackObject> objects;
    int currentTrack, currentObject, laps;
    QStringList texts;
    QImage view, picGFX, picBuffer;
    track::ObjectWidthTable widths;
    rom::TilePalette palette;
    QList<bool> enabled;

    explicit WindowState(const frmMain &w)
        : romPath(w.RomPath), objects(w.Track.TrackObjects), currentTrack(w.Track.CurrentTrack),
          currentObject(w.Track.CurrentObject),
          laps(w.scrLaps->value()), texts{w.txtLaps->text(), w.lblCurrentObject->text(),
                                          w.lblLength->text(),
                                          w.chkAlternative->isChecked() ? "checked" : "",
                                          QString::number(w.shpSelect->width())},
          view(w.picTrack->picture()), picGFX(w.picGFX), picBuffer(w.picBuffer),
          widths(w.ObjectWidthTable), palette(w.TilePalette)
    {
        for (QObject *control : w.Controls()) {
            if (auto *widget = qobject_cast<QWidget *>(control))
                enabled.append(widget->isEnabled());
            else if (auto *action = qobject_cast<QAction *>(control))
                enabled.append(action->isEnabled());
        }
    }
    friend bool operator==(const WindowState &, const WindowState &) = default;
};

// What another program can do to the image while the editor has it open. Root can read and
// write any file whatever its permission bits, so every fault here is one root meets too.
enum class Fault
{
    Deleted,
    TruncatedInRegion,
    TruncatedBeforeRegion,
    Folder,
    NamedPipe,
    DeviceLink
};

bool stage(Fault fault, const QString &path)
{
    const QByteArray sample = sample::BuildSampleImage();
    switch (fault) {
    case Fault::Deleted:
        return writeFileState(path, {});
    case Fault::TruncatedInRegion:
        return writeFileState(path, {FileState::File, sample.left(12100)});
    case Fault::TruncatedBeforeRegion:
        return writeFileState(path, {FileState::File, sample.left(5000)});
    case Fault::Folder:
        return writeFileState(path, {FileState::Folder, {}});
    case Fault::NamedPipe:
#ifdef Q_OS_LINUX
        return writeFileState(path, {}) && ::mkfifo(QFile::encodeName(path).constData(), 0644) == 0;
#else
        return false;
#endif
    case Fault::DeviceLink:
        return writeFileState(path, {}) && QFile::link(QStringLiteral("/dev/full"), path);
    }
    return false;
}

// What lies at path, told apart even where observeFile() would open a pipe or a device.
QString describe(const QString &path)
{
    const QFileInfo info(path);
    if (info.isSymLink())
        return QStringLiteral("link to ") + info.symLinkTarget();
    if (info.exists() && !info.isFile() && !info.isDir())
        return QStringLiteral("special file");
    const FileState state = observeFile(path);
    return QStringLiteral("%1 %2")
        .arg(int(state.kind))
        .arg(QString::fromLatin1(state.bytes.toBase64()));
}

QList<std::pair<const char *, Fault>> faults()
{
    return {
        {"deleted", Fault::Deleted},
        {"truncated inside the track's region", Fault::TruncatedInRegion},
        {"truncated before the track's region", Fault::TruncatedBeforeRegion},
        {"replaced by a folder", Fault::Folder},
#ifdef Q_OS_LINUX
        // Opening either for reading would wait for ever, or read on for ever.
        {"replaced by a named pipe", Fault::NamedPipe},
        {"replaced by a link to a device", Fault::DeviceLink},
#endif
    };
}

void addFaultRows()
{
    QTest::addColumn<Fault>("fault");
    for (const auto &[name, fault] : faults())
        QTest::newRow(name) << fault;
}

} // namespace

Q_DECLARE_METATYPE(Fault)

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
            QVERIFY(stage(kind == "pipe" ? Fault::NamedPipe : Fault::DeviceLink, other));
        const WindowState before(h.window);
        const QString otherBefore = describe(other);

        h.open(other);
        QCOMPARE(h.messages, QStringList{message});
        QCOMPARE(h.icons, QList<QMessageBox::Icon>{QMessageBox::Warning});
        QVERIFY(WindowState(h.window) == before);
        QCOMPARE(describe(other), otherBefore);
        h.window.mnuSave->trigger(); // the loaded track still belongs to the open image
        QCOMPARE(h.messages.last(), QStringLiteral("Level saved successfully!"));
    }

    void refusedLoadLeavesTheWindowAsItWas_data()
    {
        addFaultRows();
    }
    void refusedLoadLeavesTheWindowAsItWas()
    {
        QFETCH(Fault, fault);
        QTemporaryDir dir;
        const QString path = writeFile(dir, "sample.nes", sample::BuildSampleImage());
        Harness h;
        h.open(path);
        h.load(1);
        QTest::mouseClick(h.window.btnNext10, Qt::LeftButton);
        QVERIFY(stage(fault, path));
        const WindowState before(h.window);
        const QString fileBefore = describe(path);

        h.load(4);
        QCOMPARE(h.messages.size(), 1);
        QCOMPARE(h.icons.first(), QMessageBox::Warning);
        QVERIFY2(h.messages.first().startsWith("Track 4 cannot be loaded: ") &&
                     h.messages.first().contains("sample.nes"),
                 qPrintable(h.messages.first()));
        QVERIFY(WindowState(h.window) == before);
        QCOMPARE(describe(path), fileBefore);
    }

    // A redraw that can't read the pictures goes on with what it can: the background, and the
    // labels of the object the button moved to.
    void redrawWithoutPicturesShowsTheBackground_data()
    {
        addFaultRows();
    }
    void redrawWithoutPicturesShowsTheBackground()
    {
        QFETCH(Fault, fault);
        QTemporaryDir dir;
        const QString path = writeFile(dir, "sample.nes", sample::BuildSampleImage());
        Harness h;
        h.open(path);
        h.load(3);
        const QImage drawn = h.window.picTrack->picture();
        QVERIFY(drawn != h.window.picBuffer);
        QVERIFY(stage(fault, path));
        const QString fileBefore = describe(path);

        QTest::mouseClick(h.window.btnNext, Qt::LeftButton);
        QVERIFY(h.messages.isEmpty());
        QCOMPARE(h.window.Track.CurrentObject, 1);
        QCOMPARE(h.window.picTrack->picture(), h.window.picBuffer);
        QCOMPARE(h.window.lblCurrentObject->text(),
                 track::FormatObjectByte(h.window.Track.current().code()));
        QCOMPARE(h.window.shpSelect->width(), h.window.Track.current().Width);
        QCOMPARE(describe(path), fileBefore);
    }

    // After the refusal the track is still there, edits included: once the file is back, the
    // same Save writes it. Track 5 of the sample ends in a span whose length is the byte after
    // the region, which the save reads before it writes.
    void refusedSaveLosesNothing_data()
    {
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<int>("track");
        for (int track : {4, 5}) {
            for (const auto &[name, fault] : faults())
                QTest::addRow("track %d, %s", track, name) << fault << track;
        }
    }
    void refusedSaveLosesNothing()
    {
        QFETCH(Fault, fault);
        QFETCH(int, track);
        QTemporaryDir dir;
        const QString path = writeFile(dir, "sample.nes", sample::BuildSampleImage());
        Harness h;
        h.open(path);
        h.load(track);
        h.window.scrLaps->setValue(9);
        QVERIFY(stage(fault, path));
        const WindowState before(h.window);
        const QString fileBefore = describe(path);

        h.window.mnuSave->trigger();
        QCOMPARE(h.messages.size(), 1);
        QCOMPARE(h.icons.first(), QMessageBox::Warning);
        QVERIFY2(h.messages.first().startsWith(
                     QStringLiteral("Track %1 could not be saved: ").arg(track)) &&
                     h.messages.first().contains("sample.nes") &&
                     h.messages.first().contains("nothing was written", Qt::CaseInsensitive),
                 qPrintable(h.messages.first()));
        QVERIFY(WindowState(h.window) == before);
        QCOMPARE(describe(path), fileBefore);

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
