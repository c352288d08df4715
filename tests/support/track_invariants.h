#pragma once

#include "track_model.h"

#include <QString>

namespace whoopline::testing {

// Checks the track model's invariants on every object: ByteCount == Bytes.size(); ByteCount is 2
// exactly for a first byte that is a span code (64..70); Width is 16 x the length byte for a span
// and widths[id] for a one-byte object; Alternative equals bit 7 of a one-byte object and is false
// for a span. Returns an empty string when all hold, else a description of the first violation,
// naming the object's 0-based index; use it as QVERIFY2(violation.isEmpty(),
// qPrintable(violation)).
QString TrackInvariantViolation(const track::TrackObjectList &objects,
                                const track::ObjectWidthTable &widths);

} // namespace whoopline::testing
