#pragma once
// The program's module handle, for resources and window classes.

#include <windows.h>

HINSTANCE ProgramInstance();
void SetProgramInstance(HINSTANCE instance);

// Shown when a class leaves an operation it must provide to the base.
void ShowMissingCreate();
