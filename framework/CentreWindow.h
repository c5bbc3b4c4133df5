#pragma once
// Centres a window over its owner, or over the screen when it has none.

#include <windows.h>

void CentreWindow(HWND window);
