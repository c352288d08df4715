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

// Open descriptors of this process, where the system tells; -1 elsewhere.
int openFileCount()
{
    const QDir descriptors(QStringLiteral("/proc/self/fd"));
    const auto entries = QDir::NoDotAndDotDot | QDir::System;
    return descriptors.exists() ? int(descriptors.entryList(entries).size()) : -1;
}

} // namespace

class TestOpenImage : public QObject
{
    Q_OBJECT

private slots:
    void opensTheSameImageAlike()
    {
        QTemporaryDir dir;
        ImageBuilder image;
        image.set(rom::PalettePosition, {0x0F, 0x30, 0x16, 0x1A}).setSolidTile(rom::SkyTile, 1);
        image.setSolidTile(59, 2).setSolidTile(60, 3).setTile(61, QByteArray(16, char(0x5A)));
        const QString path = withPictures(image, {bytes({1, 0x30, 2, 0x31})}).write(dir);
        const auto first = OpenImage(path), second = OpenImage(path);
        QVERIFY2(first && second, qPrintable(first.error() + second.error()));
        QCOMPARE(first->ObjectWidthTable[0], 48);
        QCOMPARE(first->graphics.picBuffer.pixel(5, 5), qRgb(255, 255, 255));
        QCOMPARE(second->graphics.picGFX, first->graphics.picGFX);
        QCOMPARE(second->graphics.picBuffer, first->graphics.picBuffer);
        QCOMPARE(second->ObjectWidthTable, first->ObjectWidthTable);
    }

    // Nothing is created and no file is left open.
    void refusesWhatIsNoImage_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing") << "missing" << "The file \u201Cimage.nes\u201D does not exist.";
        QTest::newRow("empty") << "empty"
                               << "\u201Cimage.nes\u201D is 0 bytes long; a cartridge image needs at least 24,592.";
        QTest::newRow("one byte short") << "short" << "\u201Cimage.nes\u201D is 24,591 bytes long";
        QTest::newRow("unreadable") << "unreadable" << "\u201Cimage.nes\u201D cannot be read";
    }
    void refusesWhatIsNoImage()
    {
        QFETCH(QString, kind);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString path = dir.filePath("image.nes");
        if (kind == "empty" || kind == "short")
            ImageBuilder(kind == "short" ? rom::MinimumImageSize - 1 : 0).write(dir);
        else if (kind == "unreadable") {
            ImageBuilder().write(dir);
            QFile::setPermissions(path, QFileDevice::WriteOwner);
            if (QFile file(path); file.open(QIODevice::ReadOnly))
                QSKIP("This user reads files whatever their permissions.");
        }

        const int filesBefore = openFileCount();
        const auto opened = OpenImage(path);
        QVERIFY(!opened.ok());
        QVERIFY2(opened.error().contains(message), qPrintable(opened.error()));
        QCOMPARE(openFileCount(), filesBefore);
        QCOMPARE(QFileInfo::exists(path), kind != "missing");
    }
};

QTEST_GUILESS_MAIN(TestOpenImage)
#include "tst_open_image.moc"
