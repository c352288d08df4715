#pragma once

#include <QRgb>

namespace whoopline::rom {

// The editor's colour for an NES colour index 0x00..0x3F, repeats and blacks as the editor has
// them; every other value, 0x40..0xFF and anything outside a byte, is black.
QRgb NesColorToRgb(int index);

} // namespace whoopline::rom
