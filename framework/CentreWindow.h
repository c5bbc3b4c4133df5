#pragma once
// Centres a window over its owner and keeps it inside the work area of the
// owner's monitor; without an owner, or over a minimised one, it centres in
// that work area (of the primary monitor without an owner).

#include <windows.h>

void CentreWindow(HWND window);
