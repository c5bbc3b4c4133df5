#pragma once
// The program's start-up, up to the main message loop, and what it undoes
// at the end.

#include <windows.h>

// 1 when the main window is up with its data file loaded; 0 when a step
// failed and the program must end.
int StartUp(HINSTANCE instance, const char* commandLine, int showCommand);

// After the message loop, or after a failed start-up: leaves COM.
void ShutDown();
