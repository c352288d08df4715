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
    // The check before opening, the reader and the writer refuse, a pipe at once instead of
    // waiting for a writer, and none of them creates the file.
    void refusesWhatIsNoImage_data()
    {
        QTest::addColumn<QString>("checked");
        QTest::addColumn<QString>("read");
        QTest::newRow("missing") << "\u201Cimage.nes\u201D does not exist"
                                 << "cannot be read";
        QTest::newRow("folder") << "is a folder"
                                << "is now a folder";
        QTest::newRow("pipe") << "is not a regular file"
                              << "is no longer a regular file";
    }
    void refusesWhatIsNoImage()
    {
        const QString kind = QTest::currentDataTag();
        QFETCH(QString, checked);
        QFETCH(QString, read);
        QTemporaryDir dir;
        const QString path = dir.filePath("image.nes");
        if (kind == "folder")
            QVERIFY(QDir(dir.path()).mkdir("image.nes"));
        if (kind == "pipe")
            QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
        const auto check = checkImageFile(path, 24592);
        QVERIFY2(!check.ok() && check.error().contains(checked), qPrintable(check.error()));
        const auto exact = readImageBytes(path, 1, 2, "the track");
        QVERIFY2(!exact.ok() && exact.error().contains(read), qPrintable(exact.error()));
        QVERIFY(!writeImageBytes(path, 1, "x").ok());
        QCOMPARE(QFileInfo::exists(path), kind != "missing");
    }

    void readsAndWritesInPlace()
    {
        QTemporaryDir dir;
        const QString path = ImageBuilder().set(11737, {7, 0x40, 3}).write(dir);
        QCOMPARE(*readImageBytes(path, 1, 4, "the header"), QByteArray("NES\x1A"));
        QCOMPARE(*readImageBytes(path, 11737, 3, "the track"), QByteArray("\x07\x40\x03", 3));
        const auto tooFar = readImageBytes(path, 24592, 2, "the track region");
        QVERIFY2(tooFar.error().contains("too short for the track region (positions 24,592 to "
                                         "24,593)"),
                 qPrintable(tooFar.error()));

        QVERIFY(writeImageBytes(path, 12003, QByteArray("\x03\x09", 2)).ok());
        const QByteArray expected =
            ImageBuilder().set(11737, {7, 0x40, 3}).set(12003, {3, 9}).bytes();
        QCOMPARE(readWholeFile(path), expected);
        QCOMPARE(expected.mid(12002, 2), QByteArray("\x03\x09")); // offset 12002 is position 12003
        const auto tooLong = writeImageBytes(path, 24592, QByteArray(2, 'x'));
        QVERIFY2(!tooLong.ok() && tooLong.error().contains("nothing was written"),
                 qPrintable(tooLong.error()));
        QCOMPARE(readWholeFile(path), expected);
    }
};

QTEST_GUILESS_MAIN(TestImageFile)
#include "tst_image_file.moc"
