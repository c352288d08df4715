#include "image_builder.h"
#include "rom_graphics.h"
#include "rom_layout.h"

#include <QTest>

using namespace whoopline;
using namespace whoopline::rom;
using namespace whoopline::testing;

namespace {

QImage block(const QImage &sheet, int tile)
{
    return sheet.copy(tile * BlockSize, 0, BlockSize, BlockSize);
}

QImage solid(int width, int height, QRgb colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
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
            << QList<int>{0x40, 0x21, 0xFF, 0x07}
            << QList<QRgb>{qRgb(0, 0, 0), qRgb(57, 189, 255), qRgb(0, 0, 0), qRgb(140, 16, 0)};
    }
    void paletteBytesColourTheSheet()
    {
        QFETCH(QList<int>, paletteBytes);
        QFETCH(QList<QRgb>, colours);
        QTemporaryDir dir;
        ImageBuilder image;
        for (int slot = 0; slot < 4; ++slot)
            image.set(PalettePosition + slot, paletteBytes[slot]).setSolidTile(slot, slot);
        const auto graphics = ReadRomGraphics(image.write(dir));
        QVERIFY2(graphics.ok(), qPrintable(graphics.error()));
        for (int slot = 0; slot < 4; ++slot) {
            QCOMPARE(graphics->TilePalette[slot], colours[slot]);
            QCOMPARE(block(graphics->picGFX, slot), solid(BlockSize, BlockSize, colours[slot]));
        }
    }

    void sheetAndBackgroundAreBuiltFromTheTiles()
    {
        // Tiles that differ from each other and from row to row, so a wrong, shifted or mirrored
        // block shows.
        ImageBuilder image;
        image.set(PalettePosition, {0x21, 0x30, 0x16, 0x1A});
        for (int tile = 0; tile < TileCount; ++tile) {
            QByteArray bytes(TileByteCount, '\0');
            for (int i = 0; i < TileByteCount; ++i)
                bytes[i] = char((tile * 29 + i * 71 + (i >> 3) * 13) & 0xFF);
            image.setTile(tile, bytes);
        }
        QTemporaryDir dir;
        const QString path = image.write(dir);
        const auto graphics = ReadRomGraphics(path);
        QVERIFY2(graphics.ok(), qPrintable(graphics.error()));
        QCOMPARE(graphics->picGFX.size(), QSize(SheetWidth, SheetHeight));
        for (int tile = 0; tile < TileCount; ++tile) {
            const auto bytes = ReadTile(path, TileDataOffset + tile * TileByteCount);
            QImage expected(BlockSize, BlockSize, QImage::Format_RGB32);
            DecodeTilePixels(expected, 0, 0, *bytes, graphics->TilePalette);
            QVERIFY2(block(graphics->picGFX, tile) == expected, qPrintable(QStringLiteral("tile %1").arg(tile)));
        }

        const QImage &background = graphics->picBuffer;
        QCOMPARE(background.size(), QSize(ViewWidth, ViewHeight));
        const QList<int> rowTiles = {252, 252, 252, 252, 252, 252, 252, 252, 252, 59, 60, 61, 59, 60, 61};
        for (int row = 0; row < rowTiles.size(); ++row)
            for (int x = 0; x < ViewWidth; x += BlockSize)
                QVERIFY2(background.copy(x, row * BlockSize, BlockSize, BlockSize) == block(graphics->picGFX, rowTiles[row]),
                         qPrintable(QStringLiteral("cell row %1, x %2").arg(row).arg(x)));
        QCOMPARE(background.copy(0, 240, ViewWidth, BlockSize), solid(ViewWidth, BlockSize, qRgb(0, 0, 0)));
    }
};

QTEST_GUILESS_MAIN(TestRomGraphics)
#include "tst_rom_graphics.moc"
