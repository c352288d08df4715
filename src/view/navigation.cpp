#include "navigation.h"

namespace whoopline::view {

namespace {

constexpr int LongStep = 10;

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

} // namespace whoopline::view
