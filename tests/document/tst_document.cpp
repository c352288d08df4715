#include "document/image_document.h"
#include "edit/free_byte_edits.h"
#include "edit/object_run_edits.h"
#include "edit/object_selection.h"
#include "image_builder.h"
#include "rom/ips_patch.h"
#include "sample_image.h"

#include <QUndoGroup>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

using namespace whoopline;
using namespace whoopline::testing;
using document::ImageDocument;

namespace {

Status setLaps(ImageDocument &doc, int laps)
{
    return doc.edit(edit::TrackEditKind::ChangeLaps, [laps](edit::TrackEditState &state) {
        state.laps = laps;
        return Status(Success{});
    });
}

// The image at path opened with track shown, as most tests begin.
Status openOn(ImageDocument &doc, const QString &path, int track)
{
    const Status opened = doc.open(path);
    return opened ? doc.showTrack(track) : opened;
}

// Shows track and sets its laps.
Status setLapsOf(ImageDocument &doc, int track, int laps)
{
    const Status shown = doc.showTrack(track);
    return shown ? setLaps(doc, laps) : shown;
}

Status deleteObject(ImageDocument &doc, int index)
{
    doc.setCurrentObject(index);
    return doc.edit(edit::TrackEditKind::DeleteObject, [&doc](edit::TrackEditState &state) {
        return edit::DeleteCurrentObject(state.track, doc.widths());
    });
}

} // namespace

class TestDocument : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_folder;
    const QByteArray m_sample = sample::BuildSampleImage();
    QString m_path;

private slots:
    // A folder of its own for each test, so that no safety copy carries over.
    void init()
    {
        m_folder = std::make_unique<QTemporaryDir>();
        m_path = writeFile(*m_folder, "x.nes", m_sample);
    }

    // Each track keeps its objects, current object, laps and steps while another is shown; a
    // track without unsaved edits is read again; Undo acts on the shown track only.
    void tracksKeepTheirSessions()
    {
        ImageDocument doc;
        QVERIFY(openOn(doc, m_path, 3));
        const auto loaded = doc.track();
        QVERIFY(deleteObject(doc, 1));
        doc.setCurrentObject(5);
        const auto edited = doc.track();
        QVERIFY(setLapsOf(doc, 1, 9));
        QVERIFY(doc.showTrack(2));
        doc.setCurrentObject(5); // kept although the track is read again
        QVERIFY(doc.showTrack(1));
        QVERIFY(doc.showTrack(2));
        QCOMPARE(doc.track().CurrentObject, 5);
        QByteArray changed = m_sample;
        changed[11882] = char(0x17); // another program changes track 2's first object
        writeFile(*m_folder, "x.nes", changed);
        QVERIFY(doc.showTrack(2));
        QCOMPARE(std::tuple(doc.track().TrackObjects.first().code(), document::NameTracks(doc.modifiedTracks())), std::tuple(0x17, "tracks 1 and 3"));
        QVERIFY(doc.showTrack(3));
        QCOMPARE(std::tuple(doc.track().TrackObjects, doc.laps(), doc.track().CurrentObject, doc.undoText()), std::tuple(edited.TrackObjects, 4, 5, "Delete Object (track 3)"));
        doc.undoGroup()->undo();
        QVERIFY(doc.track().TrackObjects == loaded.TrackObjects);
        QCOMPARE(doc.modifiedTracks(), QList({1}));
        QVERIFY(doc.showTrack(1));
        QCOMPARE(doc.laps(), 9);

        QVERIFY(doc.revert());
        QCOMPARE(std::tuple(doc.hasTrack(), doc.isModified(), doc.undoGroup()->canUndo()), std::tuple(false, false, false));
        QVERIFY(doc.showTrack(1));
        QCOMPARE(doc.laps(), quint8(m_sample.at(11606)));
    }

    // Edits of three tracks are saved at once, byte for byte, with the safety copy first; a
    // track between them that another program changed keeps that change; the patch built in
    // memory before the save turns the safety copy into the saved file.
    void saveAllAndPatchRoundTrip()
    {
        ImageDocument doc;
        QVERIFY(openOn(doc, m_path, 1));
        QVERIFY(setLaps(doc, 7));
        QVERIFY(doc.showTrack(4));
        QVERIFY(deleteObject(doc, 0)); // 0x17 at 12004
        // 0x0F at 12220; the span 0x46 on the last byte, 12403, keeps its length 8 from 12404.
        QVERIFY(setLapsOf(doc, 5, 200));
        QVERIFY(deleteObject(doc, 2));
        QByteArray other = m_sample;
        other[11900] = char(0x21); // inside track 2's region, between the saved ones
        writeFile(*m_folder, "x.nes", other);
        QByteArray expected = other;
        expected[11606] = 7;
        expected.remove(12003, 1).insert(12214, '\0');
        expected[12215] = char(200);
        expected.remove(12219, 1).insert(12403, char(8));

        const auto inMemory = doc.imageAsSaved();
        QVERIFY(inMemory);
        QCOMPARE(inMemory->bytes, expected);
        QVERIFY(doc.saveAll());
        QCOMPARE(std::tuple(readWholeFile(m_path), readWholeFile(m_folder->filePath("x.bak")), doc.isModified(), doc.undoGroup()->canUndo()), std::tuple(expected, other, false, true));

        ImageDocument again;
        QVERIFY(openOn(again, m_path, 5));
        QCOMPARE(std::tuple(again.track().TrackObjects, again.laps()), std::tuple(doc.track().TrackObjects, 200));
        // The first record puts 7 at offset 11606.
        QVERIFY(rom::MakeIpsPatch(other, inMemory->bytes)->startsWith("PATCH" + bytes({0, 0x2D, 0x56, 0, 1, 7})));
    }

    // A run copied in track 2 and pasted in track 4 (05 09, then free bytes) is saved, read again
    // and patched from the safety copy byte for byte; the pasted run stays selected through Load
    // and back, undo and redo.
    void runTravelsBetweenTracks()
    {
        const ImageBuilder image = ImageBuilder(0).set(1, m_sample).set(12004, QByteArray(212, '\0')).set(12004, bytes({5, 9}));
        const QString path = image.write(*m_folder);
        ImageDocument doc;
        QVERIFY(openOn(doc, path, 2));
        doc.setCurrentObject(2, true);
        const QByteArray run = edit::SelectedBytes(doc.shownState());
        QCOMPARE(run, m_sample.mid(11882, run.size())); // objects 0..2 of track 2, from 11883
        QVERIFY(doc.showTrack(4));
        doc.setCurrentObject(1);
        QVERIFY(doc.edit(edit::TrackEditKind::PasteObjects, [&](edit::TrackEditState &state) {
            return edit::PasteObjects(state, run, doc.widths());
        }));
        QVERIFY(doc.showTrack(2));
        QVERIFY(doc.showTrack(4));
        for (const int count : {3, 1, 3}) {
            QCOMPARE(edit::SelectedRun(doc.shownState()), (edit::ObjectRun{1, count}));
            (count == 3 ? doc.undoGroup()->undo() : doc.undoGroup()->redo());
        }
        doc.undoGroup()->redo();
        QVERIFY(doc.saveAll());
        QCOMPARE(readWholeFile(path), ImageBuilder(image).set(12005, run + '\x09').bytes());
        ImageDocument again;
        QVERIFY(openOn(again, path, 4));
        QCOMPARE(again.track().TrackObjects, doc.track().TrackObjects);
        QCOMPARE(*rom::MakeIpsPatchBetweenFiles(m_folder->filePath("image.bak"), path),
                 "PATCH" + bytes({0, 0x2E, 0xE4, 0, int(run.size()) + 1}) + run + '\x09' + "EOF");
    }

    // A file size limit inside the span makes the safety copy fail first, then, with a copy in
    // place, the write part way: either leaves every track's bytes as they were and every track
    // modified, and the next save writes them all.
    void failedSaveLeavesTheFile()
    {
        ImageDocument doc;
        QVERIFY(openOn(doc, m_path, 1));
        QVERIFY(setLaps(doc, 7));
        QVERIFY(setLapsOf(doc, 5, 4));
        rlimit old{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
        std::signal(SIGXFSZ, SIG_IGN);
        const auto saveLimited = [&] {
            const rlimit lowered{11900, old.rlim_max}; // inside the span, past track 1's region
            const QString error = setrlimit(RLIMIT_FSIZE, &lowered) == 0 ? doc.saveAll().error() : "no limit";
            return setrlimit(RLIMIT_FSIZE, &old), error;
        };
        const QString noCopy = saveLimited();
        writeFile(*m_folder, "x.bak", QByteArray(m_sample).replace(0, 5, "older")); // of the image's size
        const QString failed = saveLimited();
        QCOMPARE(noCopy, "Tracks 1 and 5 could not be saved: the safety copy “x.bak” could not be written: "
                         "File too large. Nothing was written.");
        QCOMPARE(failed, "Tracks 1 and 5 could not be saved: writing to “x.nes” failed: File too "
                         "large. The old bytes were written back, so the file is as it was.");
        QCOMPARE(std::tuple(readWholeFile(m_path), doc.modifiedTracks()), std::tuple(m_sample, QList({1, 5})));
        QVERIFY(doc.saveAll());
        QCOMPARE(std::tuple(quint8(readWholeFile(m_path).at(11606)), quint8(readWholeFile(m_path).at(12215)), readWholeFile(m_folder->filePath("x.bak")).left(5)), std::tuple(7, 4, "older"));
    }

    // Another program's change to a region the save writes, or another file at the path, is
    // reported before the save; a change elsewhere is not, and a save makes the bytes known again.
    void changesOnDiskAreFound()
    {
        ImageDocument doc;
        QVERIFY(openOn(doc, m_path, 3));
        QVERIFY(setLaps(doc, 9));
        QVERIFY(doc.showTrack(2));
        QByteArray changed = m_sample;
        changed[11800] = char(changed.at(11800) ^ 1); // track 3's objects
        changed[12100] = char(changed.at(12100) ^ 1); // track 4's, which is not saved
        writeFile(*m_folder, "x.nes", changed);
        auto changes = doc.changesOnDisk();
        QCOMPARE(std::tuple(changes.otherFile, changes.tracks), std::tuple(false, QList({3})));
        QVERIFY(doc.saveAll());
        QVERIFY(!doc.changesOnDisk().any());
        changed[11882] = char(changed.at(11882) ^ 1); // track 2's, shown but not edited: not saved
        const QString swapped = writeFile(*m_folder, "swapped.nes", changed);
        QVERIFY(QFile::remove(m_path));
        QVERIFY(QFile::link(swapped, m_path));
        changes = doc.changesOnDisk();
        QCOMPARE(std::tuple(changes.otherFile, changes.tracks.isEmpty()), std::tuple(true, true));
    }

    // A span on the budget's last byte takes its length from the next track's laps byte: a save
    // that changes that byte, through the span or through the next track's laps, is refused, the
    // span's track written or not.
    void neighbouringRegionsAreChecked()
    {
        const QString path = ImageBuilder(0).set(1, m_sample).set(11735, bytes({0x11, 0x42, 5})).write(*m_folder);
        ImageDocument doc;
        QVERIFY(openOn(doc, path, 3));
        QVERIFY(setLaps(doc, 6));
        QVERIFY(setLapsOf(doc, 1, 2));
        const QString throughLaps = doc.saveAll().error();
        QVERIFY(setLapsOf(doc, 3, 5));
        QVERIFY(doc.showTrack(1));
        QVERIFY(doc.edit(edit::TrackEditKind::ReplaceObject, [](edit::TrackEditState &state) {
            return state.track.TrackObjects.last().Bytes[1] = 6, Status(Success{});
        }));
        QCOMPARE(doc.saveAll().error(), "Track 1 could not be saved: its last object lies outside the track's "
                                        "region, at position 11,737, and saving would change that byte from 5 "
                                        "to 6. Nothing was written.");
        QVERIFY2(throughLaps.startsWith("Track 1 could not be saved"), qPrintable(throughLaps));
        ImageDocument alone; // track 3's laps alone, track 1 as the file holds it
        QVERIFY(openOn(alone, path, 3));
        QVERIFY(setLaps(alone, 7));
        QCOMPARE(alone.saveAll().error(), "Track 3 could not be saved: track 1 ends in a span whose length is the byte at "
                                          "position 11,737, track 3's laps; saving would change that length from 5 to 7. Nothing was written.");
        QVERIFY(!alone.imageAsSaved()); // nor does a patch or a play test take it
        QCOMPARE(readWholeFile(path).mid(11734, 3), bytes({0x11, 0x42, 5}));
    }

    // A second editor that shows a track it never edited leaves the first one's save of it alone.
    void cleanTracksAreNotWritten()
    {
        ImageDocument first, second;
        QVERIFY(openOn(second, m_path, 3));
        QVERIFY(setLaps(second, 9));
        QVERIFY(second.showTrack(4));
        QVERIFY(openOn(first, m_path, 4));
        QVERIFY(setLaps(first, 6));
        QVERIFY(first.saveAll());
        QVERIFY(!second.changesOnDisk().any());
        QVERIFY(second.saveAll());
        QCOMPARE(std::tuple(readWholeFile(m_path).at(11736), readWholeFile(m_path).at(12002)), std::tuple(9, 6));
    }

    // What the document refuses leaves it as it was; what is gone from disk is told, and the
    // edits are rescued from the image kept since Open into a new file, which later saves write.
    void refusalsAndRescues()
    {
        ImageDocument doc;
        QVERIFY(openOn(doc, m_path, 2));
        QVERIFY(setLaps(doc, 8));
        QVERIFY(!doc.open(m_folder->filePath("none.nes")));
        QCOMPARE(doc.path(), m_path);
        QVERIFY(doc.hasTrack());
        QVERIFY(doc.isModified());
        QVERIFY(doc.saveAs(m_path).error().contains("is the same file as the input “x.nes”"));
        // A safety copy that is the image under another name is refused; so is Save As over it.
        QVERIFY(::link(QFile::encodeName(m_path), QFile::encodeName(m_folder->filePath("x.bak"))) == 0);
        QVERIFY(doc.saveAll().error().contains("“x.bak” has the name of the safety copy of “x.nes”, but it is the image itself"));
        QVERIFY(doc.saveAs(m_folder->filePath("x.bak")).error().contains("is the same file as the input “x.bak”"));
        QCOMPARE(readWholeFile(m_path), m_sample);
        // Another file put at the path after Open is found before the first save.
        const QString other = writeFile(*m_folder, "y.nes", m_sample);
        QVERIFY(QFile::remove(m_folder->filePath("x.bak")));
        QCOMPARE(::rename(QFile::encodeName(other), QFile::encodeName(m_path)), 0);
        QVERIFY(doc.changesOnDisk().otherFile);
        QVERIFY(QFile::resize(m_path, 12300)); // cut short inside track 5's region
        QVERIFY(doc.showTrack(5).error().contains("is 12,300 bytes long, too short for the track"));
        QVERIFY(QFile::remove(m_path));
        QVERIFY(doc.saveAll().error().endsWith("“x.nes” cannot be read: No such file or directory. Nothing was written."));
        const auto rescued = doc.saveAs(m_folder->filePath("rescued.nes"));
        QByteArray expected = m_sample;
        expected[11881] = 8;
        QVERIFY(rescued);
        QCOMPARE(std::tuple(rescued->fromMemoryBecause.contains("“x.nes” does not exist"), readWholeFile(m_folder->filePath("rescued.nes")), doc.isModified()),
                 std::tuple(true, expected, false));
        QVERIFY(setLaps(doc, 9));
        QVERIFY(doc.saveAll());
        QCOMPARE(readWholeFile(m_folder->filePath("rescued.nes")).at(11881), 9);
    }

    // Each verb is one step named after it, leaves the selection its rule gives, and undoes to
    // the track, laps and selection before it. Objects 4..5 of track 1 are selected first.
    void verbsNameTheirSteps_data()
    {
        QTest::addColumn<QString>("verb");
        QTest::addColumn<QString>("step");
        QTest::addColumn<QString>("selected"); // first..last of the run afterwards
        QTest::newRow("insert") << "insert" << "Insert Object" << "5..5";
        QTest::newRow("drop") << "drop" << "Insert Object" << "1..2";
        QTest::newRow("delete") << "delete" << "Delete Objects" << "4..4";
        QTest::newRow("palette") << "palette" << "Replace Object" << "5..5";
        QTest::newRow("mark") << "mark" << "Change Alternative Mark" << "5..5";
        QTest::newRow("laps clicked") << "laps" << "Change Laps" << "4..5";
        QTest::newRow("laps typed") << "typed" << "Set Laps" << "4..5";
        QTest::newRow("cut") << "cut" << "Cut Objects" << "4..4";
        QTest::newRow("paste") << "paste" << "Paste Objects" << "5..6";
        QTest::newRow("duplicate") << "duplicate" << "Duplicate Objects" << "6..7";
        QTest::newRow("move left") << "left" << "Move Objects Left" << "3..4";
        QTest::newRow("move right") << "right" << "Move Objects Right" << "5..6";
    }
    void verbsNameTheirSteps()
    {
        QFETCH(QString, verb);
        QFETCH(QString, step);
        QFETCH(QString, selected);
        ImageDocument doc;
        QVERIFY(openOn(doc, m_path, 1));
        doc.setCurrentObject(4);
        doc.setCurrentObject(5, true);
        const edit::TrackEditState before = doc.shownState();
        const auto runOf = [&] { const auto run = edit::SelectedRun(doc.shownState()); return QString("%1..%2").arg(run.first).arg(run.last()); };
        const Status done = verb == "insert" ? doc.insertObject() : verb == "drop" ? doc.insertObjects(1, bytes({5, 0x41, 2}))
            : verb == "delete" ? doc.deleteSelection() : verb == "palette" ? doc.replaceWithEntry(3)
            : verb == "mark" ? doc.setAlternative(!doc.track().current().Alternative) : verb == "laps" || verb == "typed" ? doc.setLaps(9, verb == "typed")
            : verb == "cut" ? Status(doc.cutRun() ? Status(Success{}) : Failure{"not cut"}) : verb == "paste" ? doc.pasteRun(bytes({5, 6}))
            : verb == "duplicate" ? doc.duplicateRun() : doc.moveRun(verb == "left");
        QVERIFY2(done.ok(), qPrintable(done.error()));
        QCOMPARE(doc.undoText(), step);
        QCOMPARE(runOf(), selected);
        doc.undoGroup()->undo();
        QVERIFY(doc.shownState() == before);
        QCOMPARE(runOf(), "4..5");
    }

    // Each track of the sample goes out as a file and comes back over an edit of it as one step,
    // which undoes to the edit; the image then saves as it was. A file of one image goes into
    // track 4 of another image, which has room for any.
    void trackFilesComeBack()
    {
        ImageDocument doc, other;
        QVERIFY(doc.open(m_path));
        QVERIFY(other.open(ImageBuilder().set(12003, 1).write(*m_folder, "other.nes")));
        for (int track = 1; track <= 5; ++track) {
            QVERIFY(doc.showTrack(track));
            QVERIFY(other.showTrack(4));
            const auto file = edit::ReadTrackFile(doc.trackFileText(), "t.track");
            QVERIFY(deleteObject(doc, 0));
            QVERIFY(setLaps(doc, 9));
            const auto edited = doc.shownState();
            QVERIFY(doc.importTrack(*file, "t.track"));
            QVERIFY(doc.undoText().startsWith("Import Track"));
            QVERIFY(other.importTrack(*file, "t.track"));
            QCOMPARE(std::tuple(other.laps(), other.trackFileText()), std::tuple(doc.laps(), doc.trackFileText()));
            doc.undoGroup()->undo();
            QVERIFY(doc.shownState() == edited);
            doc.undoGroup()->redo();
        }
        QCOMPARE(doc.imageAsSaved()->bytes, m_sample);
    }
};

QTEST_GUILESS_MAIN(TestDocument)
#include "tst_document.moc"
