#include "contacts/TextCompare.h"

#include <windows.h>

#include <cstring>

int CompareNoCase(const char* a, const char* b) { return lstrcmpiA(a, b); }

namespace {

void Join(char* out, std::size_t size, const char* a, const char* b) {
    std::size_t la = std::strlen(a), lb = std::strlen(b);
    if (la > size - 1) la = size - 1;
    if (lb > size - 1 - la) lb = size - 1 - la;
    std::memcpy(out, a, la);
    std::memcpy(out + la, b, lb);
    out[la + lb] = '\0';
}

}  // namespace

int CompareNoCaseJoined(const char* a1, const char* a2, const char* b1, const char* b2) {
    // The locale comparison needs whole texts; names are short, so the keys
    // fit on the stack.
    char ka[128], kb[128];
    Join(ka, sizeof ka, a1, a2);
    Join(kb, sizeof kb, b1, b2);
    return lstrcmpiA(ka, kb);
}

bool CompareNoCaseIsPlainFold() { return false; }
