#pragma once
// Writes one of the program's temporary pages: the file is made anew (or an
// old one emptied), without sharing while it is written, and holds exactly the
// page afterwards.  A page that cannot be written whole is removed again, so
// that no half page is ever left for the browser.

#include <windows.h>

#include <cstddef>

// True when every byte was written and the file closed.
bool WritePageFile(const char* path, const char* text, std::size_t size);

// Asks the shell to open the page with its "open" verb (normally the web
// browser), for `owner` (null for none); the shell's answer is not examined,
// as a missing or failing browser shows its own trouble.
void OpenPage(HWND owner, const char* path);
