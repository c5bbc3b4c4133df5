#include "framework/OwnClasses.h"

namespace {
// The program registers a handful of classes; a small fixed table is enough.
ATOM g_atoms[16];
int g_count = 0;
}  // namespace

void RememberOwnClass(ATOM atom) {
    if (g_count < static_cast<int>(sizeof g_atoms / sizeof g_atoms[0])) g_atoms[g_count++] = atom;
}

bool IsOwnClassWindow(HWND hwnd) {
    ATOM atom = static_cast<ATOM>(GetClassWord(hwnd, GCW_ATOM));
    for (int i = 0; i < g_count; ++i)
        if (g_atoms[i] == atom) return true;
    return false;
}
