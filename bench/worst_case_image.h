#pragma once

#include "rom/result.h"
#include "track/track_layout.h"
#include "view/picture_tables.h"

#include <QByteArray>

// The costliest image the editor can be asked to draw: the sample image with one span's base
// picture replaced by the widest record the stream has room for, and the longest track filled
// with that span at its greatest length and with the one-byte object of the same picture.
namespace whoopline::bench {

// Span 0x41 repeats object 0x20, whose picture becomes the widest record.
constexpr int WorstSpanCode = 0x41;
constexpr int WorstObjectId = view::spanBaseId(WorstSpanCode);
constexpr int WorstPicture = view::pictureOfObject(WorstObjectId);

// The longest track holds the worst case: spans first, then the one-byte objects.
constexpr int WorstTrack = 4;
constexpr int WorstSpanCount = 33;
constexpr int WorstObjectCount = 33;
constexpr int LongestSpan = 255;

// Columns of the widest record: twice the view, every column full from the second block row to
// the bottom, so each drawing covers everything right of its origin.
constexpr int WidestRecordColumns = 64;

// The record itself, final 0 included.
QByteArray WidestRecord();

// The sample image with WidestRecord() as picture WorstPicture and track WorstTrack made of
// WorstSpanCount spans of spanLength and WorstObjectCount objects WorstObjectId; the rest of the
// track's budget holds empty one-byte objects. Fails when the pieces no longer fit the image.
Result<QByteArray> BuildWorstCaseImage(int spanLength);

} // namespace whoopline::bench
