#include "contacts/TextCompare.h"

#include <windows.h>

#include <cstdio>

int CompareNoCase(const char* a, const char* b) { return lstrcmpiA(a, b); }

int CompareNoCaseJoined(const char* a1, const char* a2, const char* b1, const char* b2) {
    // The locale comparison needs whole texts; names are short, so the keys
    // fit on the stack.
    char ka[128], kb[128];
    std::snprintf(ka, sizeof ka, "%s%s", a1, a2);
    std::snprintf(kb, sizeof kb, "%s%s", b1, b2);
    return lstrcmpiA(ka, kb);
}
