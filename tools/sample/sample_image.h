#pragma once

#include "rom/result.h"
#include "rom/rom_layout.h"

#include <QByteArray>
#include <QString>

#include <array>

// A complete cartridge image made of our own artwork, for trying the editor and for the tests.
namespace whoopline::sample {

// NES colours of pixel values 0..3: pale sky, sand, grass and dark earth.
constexpr std::array<quint8, rom::PaletteSize> SamplePalette = {0x31, 0x27, 0x1A, 0x08};

// The whole image, 24,592 bytes: a header for one 16 KB program bank and one 8 KB character
// bank with mapper 0, the palette, the tiles, the picture stream and the five tracks. Every other
// byte is 0.
QByteArray BuildSampleImage();

// Writes the image to path, creating or replacing the file; the file appears only once complete.
Status WriteSampleImage(const QString &path);

} // namespace whoopline::sample
