#pragma once
// The reason Windows shows on its shutdown page while this program holds a
// shutdown or log-off up.

#include <windows.h>

void HoldShutdown(HWND window, const wchar_t* reason);
void ReleaseShutdown(HWND window);
