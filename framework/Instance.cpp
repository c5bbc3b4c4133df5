#include "framework/Instance.h"

namespace {
HINSTANCE g_instance = nullptr;
}

HINSTANCE ProgramInstance() { return g_instance ? g_instance : GetModuleHandleA(nullptr); }

void SetProgramInstance(HINSTANCE instance) { g_instance = instance; }

void ShowMissingCreate() { MessageBoxA(nullptr, "Missing Create", "App Error", MB_ICONWARNING); }
