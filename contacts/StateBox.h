#pragma once
// A state box: a sorted drop-down list of the StateTable entries that shows a
// stored code and gives back what OK stores.  A code the table holds (ignoring
// case) shows its entry; any other code, the empty one included, is shown as
// an extra entry holding just the code, at the top and selected, so that a
// box the user leaves alone stores the code unchanged.

#include <windows.h>

#include <cstddef>

// Fills the box and selects what shows `code`.
void FillStateBox(HWND box, const char* code);

// The code of the entry shown (in capitals for a table entry, as it was for
// the extra one); `kept` when nothing is selected.
void ReadStateBox(HWND box, const char* kept, char* state, std::size_t size);
