#pragma once
// Remembers the window classes the program registers itself.  Their windows
// keep a window object in their user data, where a control keeps its
// wrapper, so a lookup of a control wrapper must pass them over.

#include <windows.h>

void RememberOwnClass(ATOM atom);
// True for a window of one of the program's own classes.
bool IsOwnClassWindow(HWND hwnd);
