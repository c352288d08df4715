#include "image_builder.h"
#include "nes_palette.h"
#include "rom_graphics.h"
#include "rom_layout.h"

#include <QRandomGenerator>
#include <QTest>

using namespace whoopline;
using namespace whoopline::rom;
using namespace whoopline::testing;

namespace {

QImage block(const QImage &sheet, int tile)
{
    return sheet.copy(tile * BlockSize, 0, BlockSize, BlockSize);
}

} // namespace

class TestRomGraphics : public QObject
{
    Q_OBJECT

private slots:
    void nesColours()
    {
        const QList<std::pair<int, QRgb>> colours = {
            {0x0F, qRgb(0, 0, 0)},       {0x30, qRgb(255, 255, 255)}, {0x10, qRgb(189, 189, 189)},
            {0x00, qRgb(123, 123, 123)}, {0x21, qRgb(57, 189, 255)},  {0x07, qRgb(140, 16, 0)},
            {0x40, qRgb(0, 0, 0)},       {0xFF, qRgb(0, 0, 0)}};
        for (const auto &[index, colour] : colours)
            QCOMPARE(NesColorToRgb(index), colour);
    }

    // Random tile bytes, so that a wrong, shifted or mirrored block shows.
    void sheetAndBackgroundAreBuiltFromTheTiles()
    {
        ImageBuilder image;
        QRandomGenerator random(7);
        for (Position position = 0x5011; position <= 0x6010; ++position)
            image.set(position, random.bounded(256));
        image.set(5102, {0x0F, 0x30, 0x10, 0x00});
        QTemporaryDir dir;
        const QString path = image.write(dir);
        const auto graphics = ReadRomGraphics(path);
        QVERIFY2(graphics.ok(), qPrintable(graphics.error()));
        QCOMPARE(graphics->TilePalette, (TilePalette{qRgb(0, 0, 0), qRgb(255, 255, 255),
                                                     qRgb(189, 189, 189), qRgb(123, 123, 123)}));
        for (int tile = 0; tile < TileCount; ++tile) {
            QImage expected(BlockSize, BlockSize, QImage::Format_RGB32);
            TileBuffer bytes{};
            for (int i = 0; i < 16; ++i)
                bytes[i] = quint8(image.at(0x5011 + tile * 16 + i));
            DecodeTilePixels(expected, 0, 0, bytes, graphics->TilePalette);
            QVERIFY2(block(graphics->picGFX, tile) == expected, qPrintable(QString::number(tile)));
        }

        // Nine rows of sky, the band, then a black row.
        const QImage &background = graphics->picBuffer;
        QCOMPARE(background.size(), QSize(512, 256));
        QImage black(BlockSize, BlockSize, QImage::Format_RGB32);
        black.fill(Qt::black);
        const QList<int> rowTiles = {252, 252, 252, 252, 252, 252, 252, 252,
                                     252, 59,  60,  61,  59,  60,  61,  -1};
        for (int row = 0; row < 16; ++row) {
            for (int x = 0; x < 512; x += BlockSize)
                QVERIFY2(background.copy(x, row * BlockSize, BlockSize, BlockSize) ==
                             (row < 15 ? block(graphics->picGFX, rowTiles[row]) : black),
                         qPrintable(QStringLiteral("cell row %1, x %2").arg(row).arg(x)));
        }
    }
};

QTEST_GUILESS_MAIN(TestRomGraphics)
#include "tst_rom_graphics.moc"
