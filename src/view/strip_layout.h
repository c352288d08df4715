#pragma once

#include "rom/rom_layout.h"
#include "track/track_model.h"

#include <vector>

// Where the objects lie in the track view's strip: the current object at x 0, each following
// object at the previous one's x plus the room it takes, up to ObjectsAfterCurrent after the
// current one. The redraw and the clicks on the view share this layout.
namespace whoopline::view {

// At most this many objects follow the current one in a strip as wide as the track view's
// specified width; a wider view draws as many more as its width is wider.
constexpr int ObjectsAfterCurrent = 32;
constexpr int SpecifiedViewWidth = rom::ViewWidth;
// The strip's and the overview's grid: one 16-pixel block of a picture.
constexpr int Cell = rom::BlockSize;

// The last index a strip viewWidth pixels wide draws from the current object on.
int LastDrawnIndex(const track::TrackModel &model, int viewWidth = SpecifiedViewWidth);

// The room an object takes in the strip: a span its whole 16-pixel blocks, a one-byte object its
// width.
qint64 StripAdvance(const track::TrackObject &object);

// The index of the object whose room holds x, or -1 when x lies left of the strip or past the
// last object drawn. An object that takes no room (a span of length 0) is never hit. Needs the
// current object to be one of the model's indexes, else -1.
int ObjectAtStripX(const track::TrackModel &model, int x, int viewWidth = SpecifiedViewWidth);

// Where each object of the whole track begins, the first at x 0, and after them where the track
// ends: one entry more than there are objects.
std::vector<qint64> TrackObjectLefts(const track::TrackObjectList &objects);

// The index of the object whose room in the whole track holds x, by lefts of TrackObjectLefts;
// -1 left of the track or past its end. An object that takes no room is never hit.
int ObjectAtTrackX(const std::vector<qint64> &lefts, qint64 x);

} // namespace whoopline::view
