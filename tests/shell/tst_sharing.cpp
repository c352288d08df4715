#include "app/command_line.h"
#include "rom/ips_patch.h"
#include "track/track_io.h"
#include "view/open_image.h"
#include "view/track_picture.h"
#include "window_harness.h"

#include <unistd.h>

using namespace whoopline;
using namespace whoopline::testing;

namespace {

using Runs = QList<QPair<qint64, qint64>>; // first changed byte, count
const QByteArray OnePatchedByte = "PATCH" + QByteArray::fromHex("002DD9000133") + "EOF"; // 11737

QByteArray sampleWith(Position position, int byte)
{
    return ImageBuilder(0).set(1, sample::BuildSampleImage()).set(position, byte).bytes();
}

// Applies a patch as a reader does: records up to the offset that reads "EOF".
QByteArray applyIps(QByteArray bytes, const QByteArray &patch)
{
    qsizetype at = 5;
    while (at + 5 <= patch.size() && patch.mid(at, 3) != "EOF") {
        const auto *p = reinterpret_cast<const uchar *>(patch.constData() + at);
        const qsizetype offset = p[0] << 16 | p[1] << 8 | p[2], size = p[3] << 8 | p[4];
        bytes.replace(offset, size, patch.mid(at + 5, size));
        at += 5 + size;
    }
    return patch.startsWith("PATCH") && patch.mid(at) == "EOF" ? bytes : QByteArray();
}

} // namespace

class TestSharing : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_sample;
    view::OpenedImage m_image;

    QImage trackPicture(int track, bool marked = false)
    {
        const auto loaded = track::ReadTrack(m_sample, track, m_image.ObjectWidthTable);
        return *view::DrawTrackPicture(loaded->objects, m_image.graphics.picBuffer, m_image.graphics.picGFX, m_sample, marked);
    }

private slots:
    void initTestCase()
    {
        m_sample = writeFile(m_dir, "sample.nes", sample::BuildSampleImage());
        m_image = *view::OpenImage(m_sample);
        writeFile(m_dir, "changed.nes", sampleWith(11738, 0x33));
        writeFile(m_dir, "broken.nes", sampleWith(11737, 0)); // track 3's laps byte
        writeFile(m_dir, "short.bin", "NES\x1A" "456789");
        writeFile(m_dir, "junk.nes", sampleWith(1, 'M')); // no header
        writeFile(m_dir, "same.nes", sample::BuildSampleImage());
        writeFile(m_dir, "small.nes", ImageBuilder().set(11737, bytes({4, 0x05, 0x41, 0x02, 0x89})).bytes());
        writeFile(m_dir, "t2.track", "whoopline-track 1\nlaps 7\n05\n41:03  # a span\n\n8C\n");
        writeFile(m_dir, "t4.track", "whoopline-track 1\n# nothing but free bytes\nlaps 2\n");
        writeFile(m_dir, "long.track", "whoopline-track 1\nlaps 1\n" + QByteArray("05\n").repeated(130));
        QVERIFY(QFile::link("sample.nes", m_dir.filePath("link.png")));
        QCOMPARE(::link(QFile::encodeName(m_dir.filePath("changed.nes")), QFile::encodeName(m_dir.filePath("hard.nes"))), 0);
        // Track 4's 212 object bytes: 106 spans of length 64.
        ImageBuilder(0).set(1, sample::BuildSampleImage()).set(12004, QByteArray(212, 0x40)).write(m_dir, "wide.nes");
    }

    void patchTurnsOriginalIntoModified_data()
    {
        QTest::addColumn<qint64>("size");
        QTest::addColumn<Runs>("runs");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("past 64 KB, longer than a record")
            << qint64(200000) << Runs{{0, 1}, {70000, 70000}} << "";
        QTest::newRow("at offset EOF")
            << qint64(0x454F50) << Runs{{0x454F46, 1}, {0x454F48, 3}} << "";
        QTest::newRow("split lands on EOF")
            << qint64(0x454F50) << Runs{{0x454F46 - 65535, 65540}} << "";
        QTest::newRow("last byte in reach") << qint64(0x1000004) << Runs{{0xFFFFFF, 1}} << "";
        QTest::newRow("past reach")
            << qint64(0x1000004) << Runs{{0xFFFFFF, 2}} << "offset 16,777,216";
    }
    void patchTurnsOriginalIntoModified()
    {
        QFETCH(qint64, size);
        QFETCH(Runs, runs);
        QFETCH(QString, refusal);
        QByteArray original(size, Qt::Uninitialized);
        QRandomGenerator(7).fillRange(reinterpret_cast<quint32 *>(original.data()), size / 4);
        QByteArray modified = original;
        for (const auto &[first, count] : runs)
            for (qint64 i = first; i < first + count; ++i)
                modified[i] = char(~modified[i]);
        const auto patch = rom::MakeIpsPatch(original, modified);
        QCOMPARE(patch ? applyIps(original, *patch) : patch.error().toUtf8(),
                 refusal.isEmpty() ? modified : patch.error().contains(refusal) ? patch.error().toUtf8() : refusal.toUtf8());
    }

    // The built program with no display at all; "written" is what it leaves in "out", if anything.
    void commandLine_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("written");
        QByteArray none;
        const auto png = [this](int track, bool mark = false) {
            QByteArray bytes;
            QBuffer buffer(&bytes);
            return buffer.open(QIODevice::WriteOnly) && trackPicture(track, mark).save(&buffer, "png") ? bytes : QByteArray();
        };
        const QByteArray marked = png(3, true);
        QVERIFY(png(3) != marked);
        const QString picture = "--output out --export-track ", patch = "--output out --make-patch ";
        const QString same = "is the same file as the input ";
        QTest::newRow("version") << "--version" << 0 << "Whoopline 1.0b\n" << none;
        for (const int track : {1, 3, 5})
            QTest::newRow(qPrintable(QString("picture %1").arg(track))) << picture + QString::number(track) + " sample.nes" << 0 << "" << png(track);
        QTest::newRow("over its image") << "--output link.png --export-track 1 sample.nes" << 1 << "“link.png” " + same + "“sample.nes”" << none;
        QTest::newRow("over the modified") << "--make-patch sample.nes changed.nes --output changed.nes" << 1 << "“changed.nes” " + same + "“changed.nes”" << none;
        QTest::newRow("over the original") << "--make-patch sample.nes changed.nes --output sample.nes" << 1 << "“sample.nes” " + same + "“sample.nes”" << none;
        QTest::newRow("hard link") << "--make-patch sample.nes changed.nes --output hard.nes" << 1 << "“hard.nes” " + same + "“changed.nes”" << none;
        QTest::newRow("identical") << patch + "sample.nes same.nes" << 1 << "are the same" << none;
        QTest::newRow("no display") << "sample.nes" << 2 << "needs a display" << none;
        QTest::newRow("patch") << patch + "sample.nes changed.nes" << 0 << "" << OnePatchedByte;
        QTest::newRow("track number") << picture + "6 sample.nes" << 1 << "1 to 5, not “6”" << none;
        QTest::newRow("unloadable") << picture + "3 broken.nes" << 1 << "Track 3 cannot be loaded" << none;
        QTest::newRow("marked") << picture + "3 --mark-alternative sample.nes" << 0 << "" << marked;
        QTest::newRow("marks alone") << "--mark-alternative sample.nes" << 1 << "goes with --export-track" << none;
        QTest::newRow("too wide") << "--output out --export-track 4 wide.nes" << 0 << "" << QByteArray("108544");
        QTest::newRow("write error") << "--output no/out --export-track 3 sample.nes" << 1
                                     << "“out” could not be written" << none;
        QTest::newRow("sizes") << patch + "sample.nes short.bin" << 1 << "24,592 bytes long" << none;
        QTest::newRow("no header") << picture + "1 junk.nes" << 1 << "“junk.nes” does not start with a cartridge image's header. Give --force" << none;
        QTest::newRow("forced") << picture + "1 --force junk.nes" << 0 << "" << png(1);
        QTest::newRow("force alone") << "--force sample.nes" << 1 << "--force goes with --export-track" << none;
        QTest::newRow("track file") << "--export-track-data 3 --output out small.nes" << 0 << "" << QByteArray("whoopline-track 1\nlaps 4\n05  # 9-block wide tall /\\ ramp\n41:02  # (2 Bytes) Elevated Platform Level 1 Span\n89  # Lap End Ramp, alternative track\n");
        QTest::newRow("track files unpaired") << "--import-track-data 2 --output out sample.nes" << 1 << "Give each --import-track-data its track number and its track file" << none;
        QTest::newRow("a track twice") << "--import-track-data 2 t2.track --import-track-data 2 t4.track --output out sample.nes" << 1 << "Track 2 is given twice" << none;
        QTest::newRow("over a track file") << "--import-track-data 2 t2.track --output t2.track sample.nes" << 1 << "“t2.track” " + same + "“t2.track”" << none;
        QTest::newRow("too long") << "--import-track-data 2 long.track --output out sample.nes" << 1 << "“long.track” holds 130 bytes of objects, but track 2 has room for 120." << none;
        QTest::newRow("unknown option") << "--bogus sample.nes" << 1 << "Unknown option “bogus”." << none;
        QTest::newRow("track of the editor") << "--track 0 sample.nes" << 1 << "1 to 5, not “0”" << none;
        QTest::newRow("track alone") << "--track 2" << 1 << "--track needs the cartridge image" << none;
        QTest::newRow("two tracks") << picture + "3 --track 2 sample.nes" << 1 << "--track goes with the editor" << none;
    }
    void commandLine()
    {
        QFETCH(QString, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, text);
        QFETCH(QByteArray, written);
        const QStringList before = QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::Hidden);
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            environment.remove(name);
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(m_dir.path());
        process.start(WHOOPLINE_BINARY, arguments.split(' '));
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(std::tuple(process.exitStatus(), process.exitCode()), std::tuple(QProcess::NormalExit, exitCode));
        const QString printed = exitCode == 0 ? process.readAllStandardOutput() : process.readAllStandardError();
        QCOMPARE(!text.isEmpty() && printed.contains(text) ? text : printed, text);
        // A picture by its pixels, or only by its width when it is too wide to draw whole.
        const QByteArray out = readWholeFile(m_dir.filePath("out"));
        if (written.startsWith("\x89PNG"))
            QCOMPARE(QImage::fromData(out), QImage::fromData(written));
        else if (!written.isEmpty() && written.toInt() > 0)
            QCOMPARE(QImage::fromData(out).width(), written.toInt());
        else if (!written.isEmpty())
            QCOMPARE(out, written);
        QVERIFY(written.isEmpty()
                    ? QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::Hidden) == before
                    : QFile::remove(m_dir.filePath("out")));
    }

    // An image built from two track files on the command line is, byte for byte, the image the
    // window saves after importing the same files into the same tracks.
    void trackFilesBuildTheImageTheWindowSaves()
    {
        Window w;
        const QString edited = writeFile(m_dir, "edited.nes", sample::BuildSampleImage());
        w.open(edited);
        for (const int track : {2, 4}) {
            w.load(track);
            w.chooseTrackFile = [&](QWidget *, const QString &) { return m_dir.filePath(QString("t%1.track").arg(track)); };
            w.findChild<QAction *>("mnuImportTrackFile")->trigger();
            QVERIFY(w.doc().undoText().startsWith("Import Track"));
        }
        w.mnuSave->trigger();
        const QStringList arguments = {"--import-track-data", "2", m_dir.filePath("t2.track"), "--import-track-data", "4",
                                       m_dir.filePath("t4.track"), "--output", m_dir.filePath("built.nes"), m_sample};
        QCOMPARE(QProcess::execute(WHOOPLINE_BINARY, arguments), 0);
        QCOMPARE(std::tuple(readWholeFile(m_dir.filePath("built.nes")), readWholeFile(edited).mid(11881, 6)), std::tuple(readWholeFile(edited), bytes({7, 5, 0x41, 3, 0x8C, 0})));
    }

    // As text the name would be another file's.
    void undecodableArgumentIsRefused()
    {
        const char *const argv[] = {"whoopline", "--output", "o\xFF.png", "--export-track", "1", "sample.nes"};
        const shell::CommandLine command = shell::ParseCommandLine(6, argv);
        QCOMPARE(std::tuple(command.action, command.text.contains("can't be used")), std::tuple(shell::CommandLine::Action::Refuse, true));
    }

    void openAtStartOrByDrop_data()
    {
        QTest::addColumn<bool>("drop");
        QTest::addColumn<QList<QUrl>>("urls");
        QTest::addColumn<bool>("opens");
        const QUrl image = QUrl::fromLocalFile(m_sample), refused = QUrl::fromLocalFile(m_dir.filePath("short.bin"));
        QTest::newRow("start: refused") << false << QList{refused} << false;
        QTest::newRow("drop: image") << true << QList{image} << true;
        QTest::newRow("drop: refused") << true << QList{refused} << false;
        QTest::newRow("drop: two files") << true << QList{image, image} << false;
    }
    void openAtStartOrByDrop()
    {
        QFETCH(bool, drop);
        QFETCH(QList<QUrl>, urls);
        QFETCH(bool, opens);
        Window w;
        const QString path = urls.constFirst().toLocalFile();
        const bool oneFile = urls.size() == 1 && !path.isEmpty();
        if (drop) {
            QMimeData data;
            data.setUrls(urls);
            QDragEnterEvent enter(QPoint(9, 9), Qt::CopyAction, &data, Qt::LeftButton, {});
            QDropEvent dropped(QPointF(9, 9), Qt::CopyAction, &data, Qt::LeftButton, {});
            QCoreApplication::sendEvent(&w, &enter);
            QCOMPARE(enter.isAccepted(), oneFile);
            QDragEnterEvent overTrackView(QPoint(9, 9), Qt::CopyAction, &data, Qt::LeftButton, {});
            QCoreApplication::sendEvent(w.picTrack, &overTrackView); // which takes only objects
            QCOMPARE(overTrackView.isAccepted(), oneFile);
            QCoreApplication::sendEvent(&w, &dropped);
            QCoreApplication::processEvents();
        } else {
            w.OpenGivenFile(shell::ParseCommandLine({"whoopline", path}).imagePath);
        }
        // Refused as File > Open refuses it, the window as it was at start-up.
        QCOMPARE(std::tuple(w.messages, w.doc().path(), w.shpSelect->isVisibleTo(&w)), std::tuple(oneFile && !opens ? QStringList{view::OpenImage(path).error()} : QStringList(), opens ? m_sample : QString(), opens));
    }

    // Files go beside the image under their suggested names, told of in the status bar; the
    // image's own name or its safety copy's is refused.
    void pictureAndPatchFromTheMenus()
    {
        Window w;
        QString over;
        w.chooseSaveFile = [&](QWidget *, auto, const QString &suggested, auto) { return over.isEmpty() ? suggested : over; };
        const QString image = writeFile(m_dir, "work.nes", sample::BuildSampleImage());
        w.OpenGivenFile(image, 3);
        QCOMPARE(std::tuple(w.lblTrack->text(), w.named<QLineEdit>("txtLoadTrack")->text()), std::tuple("Track 3", "3"));
        QTimer::singleShot(0, [] { // the real dialog, its box ticked
            auto *dialog = static_cast<QDialog *>(QApplication::activeModalWidget());
            dialog->findChild<QCheckBox *>("chkMarkAlternative")->click();
            dialog->accept();
        });
        w.mnuExportTrack->trigger();
        const QString png = m_dir.filePath("work-track3.png");
        QCOMPARE(QImage(png).convertToFormat(QImage::Format_RGB32), trackPicture(3, true));
        QCOMPARE(w.statusBar()->currentMessage(), QString("Wrote “work-track3.png” (%L1 bytes).").arg(QFileInfo(png).size()));

        w.mnuCreatePatch->trigger(); // without a safety copy
        writeFile(m_dir, "work.bak", "short");
        w.mnuCreatePatch->trigger(); // not a copy
        writeFile(m_dir, "work.bak", sample::BuildSampleImage());
        w.mnuCreatePatch->trigger(); // the same as the image
        QVERIFY(!QFileInfo::exists(m_dir.filePath("work.ips")));
        writeFile(m_dir, "work.nes", sampleWith(11738, 0x33));
        w.chooseTrackPicture = [&](QWidget *, const QString &suggested) { return shell::PictureChoice{over.isEmpty() ? suggested : over}; };
        for (const QString name : {"work.nes", "work.bak", ""}) {
            over = name.isEmpty() ? name : m_dir.filePath(name);
            w.mnuExportTrack->trigger();
            w.mnuCreatePatch->trigger();
        }
        QCOMPARE(std::tuple(readWholeFile(m_dir.filePath("work.ips")), w.statusBar()->currentMessage()), std::tuple(OnePatchedByte, "Wrote “work.ips” (14 bytes)."));
        // Unsaved edits are in the patch, built in memory: the image keeps its bytes. Track 3 as
        // it would be saved holds its object as loaded.
        w.scrLaps->setValue(7);
        QString title;
        w.chooseSaveFile = [&](QWidget *, const QString &t, const QString &suggested, auto) { return title = t, suggested; };
        w.mnuCreatePatch->trigger();
        QCOMPARE(std::tuple(title, readWholeFile(m_dir.filePath("work.ips")), readWholeFile(m_dir.filePath("work.nes"))), std::tuple("Create Patch (the unsaved edits included)", "PATCH" + bytes({0, 0x2D, 0xD8, 0, 1, 7}) + "EOF", sampleWith(11738, 0x33)));
        writeFile(m_dir, "work.bak", "short");
        w.mnuCreatePatch->trigger(); // not a copy, the edits or not
        const QString same = "“work.%1” is the same file as the input “work.%1”";
        QCOMPARE(std::tuple(w.messages.size(), w.messages.value(7), w.messages.filter(same.arg("nes")).size(), w.messages.filter(same.arg("bak")).size(),
                            w.messages.value(0).contains("no safety copy “work.bak”"), w.messages.value(1).contains("has the name of the safety copy"), w.messages.value(2).contains("the same as its safety copy")),
                 std::tuple(8, w.messages.value(1), 2, 2, true, true, true));

    }
};

QTEST_MAIN(TestSharing)
#include "tst_sharing.moc"
