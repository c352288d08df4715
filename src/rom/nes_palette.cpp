#include "rom/nes_palette.h"

#include <array>

namespace whoopline::rom {

namespace {

constexpr int NesColorCount = 64;

// Rows of eight, index 0x00 first. 0x06/0x07 and 0x19/0x1A repeat on purpose.
constexpr std::array<QRgb, NesColorCount> NesColors = {
    qRgb(123, 123, 123), qRgb(0, 0, 255),     qRgb(0, 0, 189),     qRgb(66, 41, 189),
    qRgb(148, 0, 132),   qRgb(173, 0, 33),    qRgb(140, 16, 0),    qRgb(140, 16, 0),
    qRgb(82, 41, 0),     qRgb(0, 115, 0),     qRgb(0, 107, 0),     qRgb(0, 90, 0),
    qRgb(0, 66, 82),     qRgb(0, 0, 0),       qRgb(0, 0, 0),       qRgb(0, 0, 0),

    qRgb(189, 189, 189), qRgb(0, 115, 247),   qRgb(0, 82, 247),    qRgb(107, 66, 255),
    qRgb(222, 0, 206),   qRgb(231, 0, 90),    qRgb(247, 49, 0),    qRgb(231, 90, 16),
    qRgb(173, 123, 0),   qRgb(0, 173, 0),     qRgb(0, 173, 0),     qRgb(0, 173, 66),
    qRgb(0, 140, 140),   qRgb(0, 0, 0),       qRgb(0, 0, 0),       qRgb(0, 0, 0),

    qRgb(247, 247, 247), qRgb(57, 189, 255),  qRgb(107, 132, 255), qRgb(148, 115, 247),
    qRgb(247, 115, 247), qRgb(247, 82, 148),  qRgb(247, 115, 82),  qRgb(255, 165, 66),
    qRgb(247, 181, 0),   qRgb(181, 147, 16),  qRgb(90, 222, 82),   qRgb(82, 247, 148),
    qRgb(0, 239, 222),   qRgb(115, 115, 115), qRgb(0, 0, 0),       qRgb(0, 0, 0),

    qRgb(255, 255, 255), qRgb(165, 231, 255), qRgb(181, 181, 247), qRgb(214, 181, 247),
    qRgb(247, 181, 247), qRgb(255, 165, 198), qRgb(239, 206, 173), qRgb(255, 231, 173),
    qRgb(255, 222, 123), qRgb(214, 247, 115), qRgb(181, 247, 181), qRgb(181, 247, 214),
    qRgb(0, 255, 255),   qRgb(247, 214, 247), qRgb(0, 0, 0),       qRgb(0, 0, 0),
};

} // namespace

QRgb NesColorToRgb(int index)
{
    if (index < 0 || index >= NesColorCount)
        return qRgb(0, 0, 0);
    return NesColors[index];
}

} // namespace whoopline::rom
