#pragma once

// How the main window and the object selector hand an object over: the window fills the two
// program-wide values before it opens the selector, and only OK overwrites them.
namespace whoopline::edit {

// Byte 1 of the object to show, alternative bit included; after OK, the chosen object number.
inline int SelectedObjectNumber = 0;

// The span length to show; after OK, the length typed. Kept from one use to the next, so a
// one-byte object opens the selector with the length the last span left.
inline int SelectedLength = 0;

// What the selector remembers between its openings. It lives as long as the main window and is
// never reset when the selector opens: OK without a pick applies the last pick again, which lets
// a user stamp the same object over and over.
struct ObjectSelectorState
{
    int ChosenObjectNumber = 0;
};

} // namespace whoopline::edit
