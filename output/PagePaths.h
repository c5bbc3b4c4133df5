#pragma once
// Where the program's two temporary pages go: the user's temporary folder
// followed by the page's name, or the root of the current drive when the
// temporary folder cannot be had.

#include <cstddef>

extern const char kPrintPageName[];  // "Telvara.htm"
extern const char kHelpPageName[];   // "BrackwenHelp.htm"

// `tempFolder` (as the system gives it, ending in "\"; empty when it could not
// be had) followed by `name`.  A folder too long to take the name gives the
// root instead, never a cut path.
void ComposePagePath(const char* tempFolder, const char* name, char* out, std::size_t size);
