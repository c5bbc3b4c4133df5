#pragma once
// The built-in help page: a fixed XHTML 1.0 Transitional text that "Program
// Info..." writes to the temporary folder for the browser to show.

#include <cstddef>

// The whole page, NUL-terminated; lines end in CR LF.
extern const char kHelpPageText[];
extern const std::size_t kHelpPageLength;  // without the terminator
