#include "image_builder.h"
#include "open_image.h"
#include "picture_images.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

using namespace whoopline;
using namespace whoopline::testing;
using namespace whoopline::view;

namespace {

ImageBuilder sampleImage()
{
    ImageBuilder image;
    image.set(rom::PalettePosition, {0x0F, 0x30, 0x16, 0x1A});
    image.setSolidTile(rom::SkyTile, 1).setSolidTile(59, 2).setSolidTile(60, 3).setTile(61, QByteArray(16, char(0x5A)));
    putPictureStream(image, {QByteArray("\x01\x30\x02\x31", 4), QByteArray("\x30", 1)});
    return image;
}

// Open descriptors of this process, where the system tells; -1 elsewhere.
int openFileCount()
{
    const QDir descriptors(QStringLiteral("/proc/self/fd"));
    return descriptors.exists() ? int(descriptors.entryList(QDir::NoDotAndDotDot | QDir::System).size()) : -1;
}

} // namespace

class TestOpenImage : public QObject
{
    Q_OBJECT

private slots:
    void opensGraphicsAndWidthsTogether()
    {
        QTemporaryDir dir;
        const QString path = sampleImage().write(dir);
        const auto first = OpenImage(path);
        QVERIFY2(first.ok(), qPrintable(first.error()));
        QCOMPARE(first->ObjectWidthTable[0], 48);
        QCOMPARE(first->ObjectWidthTable[1], 16);
        QCOMPARE(first->ObjectWidthTable[2], 16); // picture 2 lies in the zeros after the stream
        QCOMPARE(first->graphics.TilePalette[1], qRgb(255, 255, 255));
        QCOMPARE(first->graphics.picBuffer.pixel(5, 5), qRgb(255, 255, 255));

        const auto second = OpenImage(path);
        QVERIFY(second.ok());
        QCOMPARE(second->graphics.TilePalette, first->graphics.TilePalette);
        QCOMPARE(second->graphics.picGFX, first->graphics.picGFX);
        QCOMPARE(second->graphics.picBuffer, first->graphics.picBuffer);
        QCOMPARE(second->ObjectWidthTable, first->ObjectWidthTable);
    }

    void refusesWhatIsNoImage_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing") << "missing" << "The file \u201Cimage.nes\u201D does not exist.";
        QTest::newRow("folder") << "folder" << "\u201Cimage.nes\u201D is a folder";
        QTest::newRow("empty") << "empty" << "\u201Cimage.nes\u201D is 0 bytes long; a cartridge image needs at least 24,592.";
        QTest::newRow("one byte short") << "short" << "\u201Cimage.nes\u201D is 24,591 bytes long";
        QTest::newRow("unreadable") << "unreadable" << "\u201Cimage.nes\u201D cannot be read";
    }
    void refusesWhatIsNoImage()
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
            sampleImage().resize(rom::MinimumImageSize - 1).write(dir);
        else if (kind == "unreadable") {
            sampleImage().write(dir);
            QFile::setPermissions(path, QFileDevice::WriteOwner);
            if (QFile file(path); file.open(QIODevice::ReadOnly))
                QSKIP("This user reads files whatever their permissions.");
        }

        const int filesBefore = openFileCount();
        const auto opened = OpenImage(path);
        QVERIFY(!opened.ok());
        QVERIFY2(opened.error().contains(message), qPrintable(opened.error()));
        QCOMPARE(openFileCount(), filesBefore);
        QCOMPARE(QFileInfo::exists(path), kind != "missing"); // opening never creates the file
    }
};

QTEST_GUILESS_MAIN(TestOpenImage)
#include "tst_open_image.moc"
