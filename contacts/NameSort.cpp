#include "contacts/NameSort.h"

#include "contacts/TextCompare.h"

#include <algorithm>

namespace {

// Letters of the ANSI code page without case and accents, as the locale's
// first comparison level sees them.
struct BaseLetters {
    unsigned char base[256];
    BaseLetters() {
        for (int i = 0; i < 256; ++i) base[i] = static_cast<unsigned char>((i >= 'A' && i <= 'Z') ? i - 'A' + 'a' : i);
        const char* accented[] = {
            "a\xC0\xC1\xC2\xC3\xC4\xC5\xC6\xE0\xE1\xE2\xE3\xE4\xE5\xE6", "c\xC7\xE7",
            "e\xC8\xC9\xCA\xCB\xE8\xE9\xEA\xEB", "i\xCC\xCD\xCE\xCF\xEC\xED\xEE\xEF", "d\xD0\xF0",
            "n\xD1\xF1", "o\xD2\xD3\xD4\xD5\xD6\xD8\xF2\xF3\xF4\xF5\xF6\xF8\x8C\x9C",
            "u\xD9\xDA\xDB\xDC\xF9\xFA\xFB\xFC", "y\xDD\xFD\xFF\x9F", "s\x8A\x9A\xDF", "z\x8E\x9E", "t\xDE\xFE",
        };
        for (const char* group : accented)
            for (const char* p = group + 1; *p; ++p) base[static_cast<unsigned char>(*p)] = static_cast<unsigned char>(group[0]);
    }
};
const BaseLetters kBase;

struct FoldWalk {
    const unsigned char* p;
    const unsigned char* next;
    bool skipMarks;
    int Take() {
        for (;;) {
            while (*p == 0) {
                if (!next) return 0;
                p = next;
                next = nullptr;
            }
            unsigned char c = *p++;
            if (!skipMarks) return (c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c;
            if (c == '-' || c == '\'') continue;  // ignored by the locale's word order
            return kBase.base[c];
        }
    }
};

int Platform(const Contact* a, const Contact* b) {
    return CompareNoCaseJoined(a->FirstName, a->LastName, b->FirstName, b->LastName);
}

}  // namespace

namespace {

int Walk(const Contact& a, const Contact& b, bool base) {
    FoldWalk x{reinterpret_cast<const unsigned char*>(a.FirstName), reinterpret_cast<const unsigned char*>(a.LastName), base};
    FoldWalk y{reinterpret_cast<const unsigned char*>(b.FirstName), reinterpret_cast<const unsigned char*>(b.LastName), base};
    for (;;) {
        int cx = x.Take(), cy = y.Take();
        if (cx != cy) return cx - cy;
        if (cx == 0) return 0;
    }
}

}  // namespace

int CompareNameFold(const Contact& a, const Contact& b) {
    // Base letters first; names equal in those by their marks and accents.
    int result = Walk(a, b, true);
    return result ? result : Walk(a, b, false);
}

void SortByName(std::vector<Contact*>& records) {
    std::sort(records.begin(), records.end(),
              [](const Contact* a, const Contact* b) { return CompareNameFold(*a, *b) < 0; });
    // Mend with the real comparison: an insertion pass costs one comparison a
    // record when the order is already right, and little more when a few
    // names sort otherwise.  Past a budget, sort again from scratch.
    const std::size_t n = records.size();
    std::size_t budget = 8 * n + 64;
    for (std::size_t i = 1; i < n; ++i) {
        Contact* record = records[i];
        std::size_t j = i;
        while (j > 0 && Platform(records[j - 1], record) > 0) {
            records[j] = records[j - 1];
            --j;
            if (--budget == 0) {
                records[j] = record;
                std::sort(records.begin(), records.end(),
                          [](const Contact* a, const Contact* b) { return Platform(a, b) < 0; });
                return;
            }
        }
        records[j] = record;
    }
}
