#pragma once
// The program's 8-bit text (the system's ANSI code page) as UTF-8, for files
// that other programs read, such as exported vCards.  On Windows the text
// goes through UTF-16; elsewhere (the native tests and fuzz targets) the ANSI
// code page is the one contacts/AnsiText.h reads into, so that one is the
// inverse of the other.

#include <cstddef>
#include <string>

// Appends the UTF-8 form of the first `length` bytes of `text` to `out`.
void AppendUtf8(const char* text, std::size_t length, std::string& out);
