#pragma once

#include <QByteArray>

namespace whoopline::sample {

// Track 1..5's region as the sample image holds it: the laps byte, then exactly the track's
// budget of object bytes. Empty for any other number.
QByteArray SampleTrackRegion(int track);

// The byte after the last region, which belongs to no track. Track 5's last object byte is a span
// code, so this byte is that span's length.
constexpr int SampleByteAfterLastRegion = 8;

} // namespace whoopline::sample
