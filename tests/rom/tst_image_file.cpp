#include "image_builder.h"
#include "image_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <sys/stat.h>

using namespace whoopline;
using namespace whoopline::testing;

class TestImageFile : public QObject
{
    Q_OBJECT

private slots:
    void checkRefusesWhatIsNoImage_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing") << "missing" << "\u201Cimage.nes\u201D does not exist";
        QTest::newRow("folder") << "folder" << "is a folder";
        QTest::newRow("empty") << "empty" << "is 0 bytes long; a cartridge image needs at least 24,592.";
        QTest::newRow("one byte short") << "short" << "is 24,591 bytes long";
    }
    void checkRefusesWhatIsNoImage()
    {
        QFETCH(QString, kind);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString path = dir.filePath("image.nes");
        if (kind == "folder")
            QDir(dir.path()).mkdir("image.nes");
        else if (kind == "empty")
            writeFile(dir, "image.nes", {});
        else if (kind == "short")
            ImageBuilder(24591).write(dir);
        const auto result = checkImageFile(path, 24592);
        QVERIFY(!result.ok());
        QVERIFY2(result.error().contains(message), qPrintable(result.error()));
        QCOMPARE(QFileInfo(path).exists(), kind != "missing"); // never creates the file
    }

    void readsAtOneBasedPositions()
    {
        QTemporaryDir dir;
        const QString path = ImageBuilder().set(1, {0x4E, 0x45}).set(11737, {7, 0x40, 3}).write(dir);
        QCOMPARE(*checkImageFile(path, 24592), qint64(24592));
        QCOMPARE(*readImageBytes(path, 11737, 3, "the track"), QByteArray("\x07\x40\x03", 3));
        QCOMPARE(*readImageBytes(path, 1, 1, "the header"), QByteArray("N"));
        const auto tooFar = readImageBytes(path, 24592, 2, "the track region");
        QVERIFY(!tooFar.ok());
        QVERIFY2(tooFar.error().contains("too short for the track region (positions 24,592 to 24,593)"),
                 qPrintable(tooFar.error()));
        QCOMPARE(*readImageBytesPadded(path, 24591, 4), QByteArray(4, '\0'));
    }

    // Both readers refuse alike, and a pipe is refused at once instead of waiting for a writer.
    void readersRefuseWhatTheyCannotRead_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<qint64>("position");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing") << "missing" << qint64(1) << "\u201Cimage.nes\u201D cannot be read: ";
        QTest::newRow("folder") << "folder" << qint64(1) << "\u201Cimage.nes\u201D is now a folder";
        QTest::newRow("named pipe") << "pipe" << qint64(1) << "is no longer a regular file";
        QTest::newRow("position 0") << "image" << qint64(0) << "position 0 lies before its start";
    }
    void readersRefuseWhatTheyCannotRead()
    {
        QFETCH(QString, kind);
        QFETCH(qint64, position);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString path = dir.filePath("image.nes");
        if (kind == "folder")
            QVERIFY(QDir(dir.path()).mkdir("image.nes"));
        else if (kind == "pipe")
            QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
        else if (kind == "image")
            ImageBuilder().write(dir);

        const auto exact = readImageBytes(path, position, 2, "the track");
        QVERIFY(!exact.ok());
        QVERIFY2(exact.error().contains(message), qPrintable(exact.error()));
        const auto padded = readImageBytesPadded(path, position, 2);
        QVERIFY(!padded.ok());
        QCOMPARE(padded.error(), exact.error());
    }

    void writesInPlaceOrNotAtAll()
    {
        QTemporaryDir dir;
        const QString path = ImageBuilder().write(dir);
        QVERIFY(writeImageBytes(path, 12003, QByteArray("\x03\x09", 2)).ok());
        QByteArray expected = ImageBuilder().set(12003, {3, 9}).bytes();
        QCOMPARE(readWholeFile(path), expected);

        const auto tooLong = writeImageBytes(path, 24592, QByteArray(2, 'x'));
        QVERIFY(!tooLong.ok());
        QVERIFY(tooLong.error().contains("nothing was written"));
        QCOMPARE(readWholeFile(path), expected);

        const QString missing = dir.filePath("missing.nes");
        QVERIFY(!writeImageBytes(missing, 1, "x").ok());
        QVERIFY(!QFile::exists(missing));
    }
};

QTEST_GUILESS_MAIN(TestImageFile)
#include "tst_image_file.moc"
