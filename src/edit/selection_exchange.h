#pragma once

// How the main window and the object selector hand an object over: the window fills the two
// program-wide values before it opens the selector, and only OK overwrites them.
namespace whoopline::edit {

// Byte 1 of the object to show, alternative bit included; after OK, the chosen object number.
inline int SelectedObjectNumber = 0;

// The span length to show; after OK, the length typed. Kept from one use to the next, so a
// one-byte object opens the selector with the length the last span left.
inline int SelectedLength = 0;

// The selector's choice. Every opening starts it afresh from SelectedObjectNumber, the object it
// opens over, so that OK without a pick keeps that object as it is, its mark included; a pick in
// the list replaces it. Nothing carries over from one opening to the next.
struct ObjectSelectorState
{
    int ChosenObjectNumber = 0;
};

} // namespace whoopline::edit
