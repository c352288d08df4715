#pragma once

#include "track/track_model.h"

namespace whoopline::view {

// The six buttons under the track view: "|<", "<<", "<", ">", ">>", ">|".
enum class NavigationButton { First, Back10, Back, Forward, Forward10, Last };

// The current object after a click. A step that would leave 0..lastIndex does nothing rather
// than stop short; "|<" and ">|" always go to the ends. With no objects (lastIndex < 0) nothing
// moves.
int Navigate(NavigationButton button, int currentObject, int lastIndex);

// The current object after the wheel turned `notches` notches (positive: towards the track's
// end), each notch one press of ">" or "<", or with tenfold of ">>" or "<<", by their rules.
int WheelStep(int currentObject, int lastIndex, int notches, bool tenfold);

// Turns wheel deltas (120 to a notch, finer from touchpads) into whole notches, keeping the
// remainder for the next turn.
class WheelNotches
{
public:
    int take(int angleDelta);

private:
    int m_remainder = 0;
};

// Objects of the alternative track: one-byte objects with bit 7 set.
int CountMarkedObjects(const track::TrackObjectList &objects);

// The next marked object after from (forward) or before it, going round the track's end once;
// index -1 when the track has none.
struct MarkedObjectFound
{
    int index = -1;
    bool wrapped = false; // found only past the track's end (or start)
};
MarkedObjectFound FindMarkedObject(const track::TrackObjectList &objects, int from, bool forward);

} // namespace whoopline::view
