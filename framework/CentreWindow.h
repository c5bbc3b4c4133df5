#pragma once
// Centres a window over its owner, or over the screen when it has none, and
// keeps it inside the work area of the owner's monitor (of the primary
// monitor without an owner).

#include <windows.h>

void CentreWindow(HWND window);
