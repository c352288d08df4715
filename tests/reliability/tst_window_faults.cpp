#include "file_state.h"
#include "frm_main.h"
#include "image_builder.h"
#include "picture_box.h"
#include "rectangle_shape.h"
#include "sample_image.h"
#include "track_codec.h"

#include <QtTest>
#include <QtWidgets>

#include <csignal>
#include <tuple>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#endif

using namespace whoopline;
using namespace whoopline::testing;

Q_DECLARE_METATYPE(whoopline::testing::FileState)

namespace {

// The main window with the sample image open, a track loaded and its laps changed to 9. Its
// dialogs answer from the test: Open chooses the same file again, messages are kept.
struct Harness
{
    QTemporaryDir dir;
    const QByteArray sample = sample::BuildSampleImage();
    const QString path = writeFile(dir, "sample.nes", sample);
    shell::frmMain w;
    QStringList messages;
    QList<QMessageBox::Icon> icons;

    explicit Harness(int track)
    {
        w.chooseImageFile = [this](QWidget *) { return path; };
        w.showMessage = [this](QWidget *, QMessageBox::Icon icon, const QString &,
                               const QString &text) {
            icons.append(icon);
            messages.append(text);
        };
        w.askToSaveChanges = [](auto...) { return QMessageBox::Discard; };
        w.mnuOpen->trigger();
        w.scrLoadTrack->setValue(track);
        QTest::mouseClick(w.btnLoadTrack, Qt::LeftButton);
        w.scrLaps->setValue(9);
    }
    // Everything of the window that a refused command must leave as it was.
    auto state() const
    {
        QList<bool> enabled;
        for (QObject *control : w.Controls())
            enabled.append(control->property("enabled").toBool());
        return std::tuple(
            w.RomPath, w.Track.TrackObjects, w.Track.CurrentTrack, w.Track.CurrentObject,
            w.scrLaps->value(), w.txtLaps->text(), w.lblCurrentObject->text(), w.lblLength->text(),
            w.chkAlternative->isChecked(), w.shpSelect->width(), w.picTrack->picture(), w.picGFX,
            w.picBuffer, w.ObjectWidthTable, w.TilePalette, enabled);
    }
};

} // namespace

class TestWindowFaults : public QObject
{
    Q_OBJECT

private slots:
    // Another program deletes, truncates or replaces the image while the window has it open.
    // Open, Load and Save are refused and leave the window and the path as they were; a redraw
    // goes on with the background and the labels of the object it moved to; once the file is
    // back, the same Save writes the track. The last span of the sample's track 5 takes its
    // length from the byte after the region, which the save reads before it writes.
    void fileChangedUnderTheWindow_data()
    {
        QTest::addColumn<int>("track");
        QTest::addColumn<FileState>("fault");
        for (int track : {4, 5}) {
            const qint64 insideRegion = track::trackStartPosition(track) + 50;
            QTest::addRow("track %d, deleted", track) << track << FileState{};
            QTest::addRow("track %d, truncated inside its region", track)
                << track
                << FileState{FileState::File, sample::BuildSampleImage().left(insideRegion)};
            QTest::addRow("track %d, replaced by a folder", track)
                << track << FileState{FileState::Folder, {}};
#ifdef Q_OS_UNIX
            // Opening a pipe for reading waits for a writer: it froze the editor.
            QTest::addRow("track %d, replaced by a named pipe", track)
                << track << FileState{FileState::Special, {}};
#endif
        }
    }
    void fileChangedUnderTheWindow()
    {
        QFETCH(int, track);
        QFETCH(FileState, fault);
        Harness h(track);
        QVERIFY(h.w.picTrack->picture() != h.w.picBuffer);
        const auto drawn = h.state();
        QVERIFY(putFileState(h.path, fault));
        h.w.mnuOpen->trigger();
        QVERIFY(h.state() == drawn);

        QTest::mouseClick(h.w.btnNext, Qt::LeftButton);
        QCOMPARE(h.w.Track.CurrentObject, 1);
        QCOMPARE(h.w.picTrack->picture(), h.w.picBuffer);
        QCOMPARE(h.w.lblCurrentObject->text(), track::FormatObjectByte(h.w.Track.current().code()));
        QCOMPARE(h.w.shpSelect->width(), h.w.Track.current().Width);
        const auto before = h.state();
        QTest::mouseClick(h.w.btnLoadTrack, Qt::LeftButton);
        h.w.mnuSave->trigger();
        QVERIFY(h.state() == before);
        QVERIFY(observeFile(h.path) == fault);
        QCOMPARE(h.icons, QList<QMessageBox::Icon>(3, QMessageBox::Warning));
        QVERIFY2(
            h.messages[1].startsWith(QStringLiteral("Track %1 cannot be loaded: ").arg(track)) &&
                h.messages[2].startsWith(
                    QStringLiteral("Track %1 could not be saved: ").arg(track)) &&
                h.messages[2].contains("nothing was written", Qt::CaseInsensitive) &&
                h.messages.filter(QStringLiteral("\u201Csample.nes\u201D")).size() == 3,
            qPrintable(h.messages.join('\n')));

        QVERIFY(putFileState(h.path, {FileState::File, h.sample}));
        h.w.mnuSave->trigger();
        QCOMPARE(h.messages.last(), QStringLiteral("Level saved successfully!"));
        QByteArray saved = h.sample;
        saved[offsetOf(track::trackStartPosition(track))] = 9;
        QCOMPARE(readWholeFile(h.path), saved);
    }

    // A file size limit inside track 5's region (positions 12216..12404) makes writes stop part
    // way, whoever runs the test. First the safety copy can't be written; with a copy in place, the
    // image write stops after its first bytes and the old ones go back. The copy is never replaced.
    void failedWriteIsNoSuccess()
    {
#ifndef Q_OS_UNIX
        QSKIP("needs RLIMIT_FSIZE");
#else
        Harness h(5);
        const auto before = h.state();
        rlimit old{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
        const rlimit lowered{12266, old.rlim_max};
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &lowered), 0);
        h.w.mnuSave->trigger();
        const QString copy = writeFile(h.dir, "sample.bak", "older");
        h.w.mnuSave->trigger();
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);
        QCOMPARE(h.messages,
                 QStringList({"Track 5 could not be saved: the safety copy \u201Csample.bak\u201D cannot "
                              "be written: File too large. Nothing was written.",
                              "Track 5 could not be saved: writing to \u201Csample.nes\u201D failed: File "
                              "too large. The old bytes were written back, so the file is as it was."}));
        QCOMPARE(h.icons, QList<QMessageBox::Icon>(2, QMessageBox::Warning));
        QVERIFY(h.state() == before);
        QCOMPARE(readWholeFile(h.path), h.sample);

        h.w.mnuSave->trigger();
        QCOMPARE(h.messages.last(), QStringLiteral("Level saved successfully!"));
        QCOMPARE(readWholeFile(copy), QByteArray("older"));
#endif
    }
};

QTEST_MAIN(TestWindowFaults)
#include "tst_window_faults.moc"
