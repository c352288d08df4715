#include "image_builder.h"
#include "rom_graphics.h"
#include "rom_layout.h"

#include <QTest>

using namespace whoopline;
using namespace whoopline::rom;
using namespace whoopline::testing;

namespace {

// Sixteen bytes that differ from tile to tile and from row to row, so a block drawn from the
// wrong tile, shifted or mirrored, shows.
QByteArray patternedTile(int tile)
{
    QByteArray bytes(TileByteCount, '\0');
    for (int i = 0; i < TileByteCount; ++i)
        bytes[i] = char((tile * 29 + i * 71 + (i >> 3) * 13) & 0xFF);
    return bytes;
}

ImageBuilder patternedImage()
{
    ImageBuilder image;
    image.set(PalettePosition, {0x21, 0x30, 0x16, 0x1A});
    for (int tile = 0; tile < TileCount; ++tile)
        image.setTile(tile, patternedTile(tile));
    return image;
}

QImage block(const QImage &sheet, int tile)
{
    return sheet.copy(tile * BlockSize, 0, BlockSize, BlockSize);
}

} // namespace

class TestRomGraphics : public QObject
{
    Q_OBJECT

private slots:
    void paletteBytesColourTheSheet_data()
    {
        QTest::addColumn<QList<int>>("paletteBytes");
        QTest::addColumn<QList<QRgb>>("colours");
        QTest::newRow("black, white, greys")
            << QList<int>{0x0F, 0x30, 0x10, 0x00}
            << QList<QRgb>{qRgb(0, 0, 0), qRgb(255, 255, 255), qRgb(189, 189, 189), qRgb(123, 123, 123)};
        QTest::newRow("indexes past the table are black")
            << QList<int>{0x40, 0x21, 0xFF, 0x3D}
            << QList<QRgb>{qRgb(0, 0, 0), qRgb(57, 189, 255), qRgb(0, 0, 0), qRgb(247, 214, 247)};
    }
    void paletteBytesColourTheSheet()
    {
        QFETCH(QList<int>, paletteBytes);
        QFETCH(QList<QRgb>, colours);
        QTemporaryDir dir;
        ImageBuilder image;
        for (int slot = 0; slot < 4; ++slot) {
            image.set(PalettePosition + slot, paletteBytes[slot]);
            image.setSolidTile(slot, slot); // tile k is all pixel value k
        }
        const auto graphics = ReadRomGraphics(image.write(dir));
        QVERIFY2(graphics.ok(), qPrintable(graphics.error()));
        for (int slot = 0; slot < 4; ++slot) {
            QCOMPARE(graphics->TilePalette[slot], colours[slot]);
            QImage expected(BlockSize, BlockSize, QImage::Format_RGB32);
            expected.fill(colours[slot]);
            QCOMPARE(block(graphics->picGFX, slot), expected);
        }
    }

    void sheetHoldsEveryTileInItsBlock()
    {
        QTemporaryDir dir;
        const auto graphics = ReadRomGraphics(patternedImage().write(dir));
        QVERIFY2(graphics.ok(), qPrintable(graphics.error()));
        QCOMPARE(graphics->picGFX.size(), QSize(SheetWidth, SheetHeight));
        QCOMPARE(graphics->picGFX.format(), QImage::Format_RGB32);
        for (int tile = 0; tile < TileCount; ++tile) {
            QImage expected(BlockSize, BlockSize, QImage::Format_RGB32);
            TileBuffer bytes{};
            const QByteArray pattern = patternedTile(tile);
            std::copy(pattern.begin(), pattern.end(), bytes.begin());
            DecodeTilePixels(expected, 0, 0, bytes, graphics->TilePalette);
            QVERIFY2(block(graphics->picGFX, tile) == expected, qPrintable(QStringLiteral("tile %1").arg(tile)));
        }
    }

    void backgroundIsSkyOverTheBandOverBlack()
    {
        QTemporaryDir dir;
        const auto graphics = ReadRomGraphics(patternedImage().write(dir));
        QVERIFY2(graphics.ok(), qPrintable(graphics.error()));
        const QImage &background = graphics->picBuffer;
        QCOMPARE(background.size(), QSize(ViewWidth, ViewHeight));

        const QList<int> rowTiles = {252, 252, 252, 252, 252, 252, 252, 252, 252, 59, 60, 61, 59, 60, 61};
        for (int row = 0; row < rowTiles.size(); ++row)
            for (int column = 0; column < ViewWidth / BlockSize; ++column)
                QVERIFY2(background.copy(column * BlockSize, row * BlockSize, BlockSize, BlockSize)
                             == block(graphics->picGFX, rowTiles[row]),
                         qPrintable(QStringLiteral("cell row %1, column %2").arg(row).arg(column)));
        QImage black(ViewWidth, BlockSize, QImage::Format_RGB32);
        black.fill(Qt::black);
        QCOMPARE(background.copy(0, ViewHeight - BlockSize, ViewWidth, BlockSize), black);
    }

    void refusesAFileTooShortForTheTiles()
    {
        QTemporaryDir dir;
        const auto graphics = ReadRomGraphics(ImageBuilder(MinimumImageSize - 1).write(dir, "short.nes"));
        QVERIFY(!graphics.ok());
        QVERIFY2(graphics.error().contains("\u201Cshort.nes\u201D is 24,591 bytes long"), qPrintable(graphics.error()));
    }
};

QTEST_GUILESS_MAIN(TestRomGraphics)
#include "tst_rom_graphics.moc"
