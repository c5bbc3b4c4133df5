#pragma once
// The main window's title: the data file's name, " - ", and the program's.

#include <cstddef>

extern const char kProgramName[];  // "Telvara"

// The characters after the last "\", ":" or "/" of `path`, or all of it.
const char* FileNamePart(const char* path);

// "friends.csv - Telvara"; the name is cut to 99 characters.
void BuildTitle(const char* path, char* out, std::size_t size);
