#include "view/navigation.h"

#include <algorithm>
#include <cstdlib>

namespace whoopline::view {

namespace {

constexpr int LongStep = 10;
constexpr int DeltaPerNotch = 120;

} // namespace

int Navigate(NavigationButton button, int currentObject, int lastIndex)
{
    if (lastIndex < 0)
        return currentObject;
    switch (button) {
    case NavigationButton::First:
        return 0;
    case NavigationButton::Back10:
        return currentObject >= LongStep ? currentObject - LongStep : currentObject;
    case NavigationButton::Back:
        return currentObject >= 1 ? currentObject - 1 : currentObject;
    case NavigationButton::Forward:
        return currentObject < lastIndex ? currentObject + 1 : currentObject;
    case NavigationButton::Forward10:
        return currentObject <= lastIndex - LongStep ? currentObject + LongStep : currentObject;
    case NavigationButton::Last:
        return lastIndex;
    }
    return currentObject;
}

int WheelStep(int currentObject, int lastIndex, int notches, bool tenfold)
{
    const NavigationButton forward = tenfold ? NavigationButton::Forward10 : NavigationButton::Forward;
    const NavigationButton back = tenfold ? NavigationButton::Back10 : NavigationButton::Back;
    for (int i = 0; i < std::abs(notches); ++i)
        currentObject = Navigate(notches > 0 ? forward : back, currentObject, lastIndex);
    return currentObject;
}

int WheelNotches::take(int angleDelta)
{
    m_remainder += angleDelta;
    const int notches = m_remainder / DeltaPerNotch;
    m_remainder -= notches * DeltaPerNotch;
    return notches;
}

int CountMarkedObjects(const track::TrackObjectList &objects)
{
    return int(std::count_if(objects.begin(), objects.end(), [](const track::TrackObject &o) { return !o.isSpan() && o.Alternative; }));
}

MarkedObjectFound FindMarkedObject(const track::TrackObjectList &objects, int from, bool forward)
{
    const int count = int(objects.size());
    for (int step = 1; step <= count; ++step) {
        const int index = ((from + (forward ? step : -step)) % count + count) % count;
        if (!objects[index].isSpan() && objects[index].Alternative)
            return {index, forward ? index <= from : index >= from};
    }
    return {};
}

} // namespace whoopline::view
