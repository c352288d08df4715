#pragma once

#include "rom/result.h"
#include "track/track_model.h"

#include <QByteArray>
#include <QString>

// The object encoding as plain functions: bytes to objects and back. No file access.
namespace whoopline::track {

// "$C3": a byte as the editor shows it, "$" and two upper-case hexadecimal digits.
QString FormatObjectByte(int byte);

// One object whose four fields agree (see TrackObject): ByteCount and Bytes from bytes, Width
// 16 x the length byte for a span, else widths[id]; Alternative bit 7 of a one-byte object.
// Preconditions: bytes holds 2 bytes when its first byte is a span code, else 1 byte whose id
// (bit 7 cleared) is below ObjectIdCount.
TrackObject MakeTrackObject(QByteArray bytes, const ObjectWidthTable &widths);

// Whether the objects in objectBytes, taken while their first byte lies inside the budget, end in
// a span that starts on the budget's last byte, so that its length is the byte after the region.
// objectBytes must hold at least budget bytes.
bool NeedsByteAfterRegion(const QByteArray &objectBytes, int budget);

// Decodes a track region's object bytes. objectBytes holds the budget bytes of the region, plus
// the byte after the region when the caller could read it. Objects are taken while their first
// byte lies inside the budget; a span that starts on the budget's last byte takes its length from
// the byte after the region. Fails, with a message that starts in lower case so that the caller
// can name the track before it, on an unknown one-byte id ("object 17 has the code $C3, which is
// not a known object."), on a missing length byte and on fewer than budget bytes. Object numbers
// in messages are 0-based, as the editor counts objects.
Result<TrackObjectList> DecodeTrackObjects(const QByteArray &objectBytes, int budget,
                                           const ObjectWidthTable &widths);

// The objects' Bytes one after another, in index order: what a save writes after the laps byte.
QByteArray EncodeTrackObjects(const TrackObjectList &objects);

// The number of bytes EncodeTrackObjects gives: the sum of the ByteCounts.
int ByteTotal(const TrackObjectList &objects);

} // namespace whoopline::track
