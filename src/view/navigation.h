#pragma once

namespace whoopline::view {

// The six buttons under the track view: "|<", "<<", "<", ">", ">>", ">|".
enum class NavigationButton { First, Back10, Back, Forward, Forward10, Last };

// The current object after a click. A step that would leave 0..lastIndex does nothing rather
// than stop short; "|<" and ">|" always go to the ends. With no objects (lastIndex < 0) nothing
// moves.
int Navigate(NavigationButton button, int currentObject, int lastIndex);

} // namespace whoopline::view
