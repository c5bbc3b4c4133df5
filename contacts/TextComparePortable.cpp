#include "contacts/TextCompare.h"

#include <cctype>

namespace {

struct FoldTable {
    unsigned char fold[256];
    FoldTable() {
        for (int i = 0; i < 256; ++i) fold[i] = static_cast<unsigned char>(i < 128 ? std::tolower(i) : i);
    }
};
const FoldTable kFold;

// Walks two texts that may each be the join of two parts.
struct Joined {
    const unsigned char* p;
    const unsigned char* next;
    int Take() {
        while (*p == 0) {
            if (!next) return 0;
            p = next;
            next = nullptr;
        }
        return kFold.fold[*p++];
    }
};

}  // namespace

int CompareNoCase(const char* a, const char* b) {
    const unsigned char* x = reinterpret_cast<const unsigned char*>(a);
    const unsigned char* y = reinterpret_cast<const unsigned char*>(b);
    for (;; ++x, ++y) {
        // Equal bytes fold alike: only a difference needs the table.
        if (*x == *y) {
            if (*x == 0) return 0;
            continue;
        }
        int cx = kFold.fold[*x], cy = kFold.fold[*y];
        if (cx != cy) return cx - cy;
    }
}

int CompareNoCaseJoined(const char* a1, const char* a2, const char* b1, const char* b2) {
    // While both are in their first parts, as CompareNoCase.  Names sorted
    // side by side often share their whole first part, and then the rest is
    // the second parts alone.
    const unsigned char* x = reinterpret_cast<const unsigned char*>(a1);
    const unsigned char* y = reinterpret_cast<const unsigned char*>(b1);
    for (;; ++x, ++y) {
        if (*x == *y) {
            if (*x == 0) return CompareNoCase(a2, b2);
            continue;
        }
        if (*x == 0 || *y == 0) break;  // one first part ends before the other
        int cx = kFold.fold[*x], cy = kFold.fold[*y];
        if (cx != cy) return cx - cy;
    }
    Joined jx{x, reinterpret_cast<const unsigned char*>(a2)};
    Joined jy{y, reinterpret_cast<const unsigned char*>(b2)};
    for (;;) {
        int cx = jx.Take(), cy = jy.Take();
        if (cx != cy) return cx - cy;
        if (cx == 0) return 0;
    }
}

bool CompareNoCaseIsPlainFold() { return true; }

bool CompareNoCaseIsPlainOnPlainText() { return true; }

bool CompareNoCaseSeesAs(unsigned char c, unsigned char base) { return c == base; }
