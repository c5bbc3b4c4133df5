#pragma once
// Where the book of a program installed under Program Files goes by default:
// a program that runs as the user may not write in those folders (and is not
// redirected elsewhere), so the first Save beside the program would fail.

#include <cstddef>

// "telvara.csv" in the user's Documents when the program runs from under a
// Program Files folder; false, with `out` left alone, when it runs from
// anywhere else or a folder cannot be had.
bool InstalledDataFile(char* out, std::size_t size);
