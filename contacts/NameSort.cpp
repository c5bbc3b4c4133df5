#include "contacts/NameSort.h"

#include "contacts/Prefetch.h"
#include "contacts/TextCompare.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

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

namespace {

// The cheap order as bytes, so that the records can be dealt by them instead
// of being compared n log n times: the name's base letters (marks passed
// over), a zero, then the name folded for case only.  Where the list's own
// comparison is that plain fold (not on Windows), the key is the plain fold
// alone, which orders the records as the list does.  Comparing two keys byte
// by byte gives the order of the comparison they stand for; only the first
// kKeyBytes are kept, and names alike that far are told apart by the
// comparison itself.  A key that holds the whole name ends in a zero, and
// then equal keys are equal names.
constexpr std::size_t kKeyBytes = 32;

struct Keyed {
    unsigned char Key[kKeyBytes];
    std::uint32_t Place;  // in the records as read
};

void MakeKey(const Contact& c, bool baseLetters, unsigned char* key) {
    std::size_t n = 0;
    for (bool base : {true, false}) {
        if (base && !baseLetters) continue;
        FoldWalk walk{reinterpret_cast<const unsigned char*>(c.FirstName),
                      reinterpret_cast<const unsigned char*>(c.LastName), base};
        for (int b = walk.Take(); b != 0 && n < kKeyBytes; b = walk.Take())
            key[n++] = static_cast<unsigned char>(b);
        if (n < kKeyBytes) key[n++] = 0;
    }
    while (n < kKeyBytes) key[n++] = 0;
}

// A stable sort of keyed records by their keys, a byte at a time: each pass
// deals the records into one run for each value of the byte, keeping their
// order within a run, and goes on into the runs.  Records whose keys are
// alike in every byte kept go by the comparison the keys stand for.
class KeySort {
public:
    KeySort(const std::vector<Contact*>& records, int (*compare)(const Contact&, const Contact&))
        : records_(records), compare_(compare) {}

    void Sort(Keyed* keyed, Keyed* spare, std::size_t n, std::size_t depth) const {
        for (;;) {
            if (n < 2) return;
            if (depth == kKeyBytes) {  // alike in every byte kept
                if (Whole(keyed[0])) return;
                std::stable_sort(keyed, keyed + n, [this](const Keyed& a, const Keyed& b) {
                    return Full(a, b) < 0;
                });
                return;
            }
            if (n <= kFew) {
                InsertionSort(keyed, n, depth);
                return;
            }
            std::size_t count[256] = {};
            for (std::size_t i = 0; i < n; ++i) ++count[keyed[i].Key[depth]];
            if (count[keyed[0].Key[depth]] == n) {  // all alike in this byte
                ++depth;
                continue;
            }
            std::size_t start[256], fill[256];
            std::size_t at = 0;
            for (int b = 0; b < 256; ++b) {
                start[b] = fill[b] = at;
                at += count[b];
            }
            for (std::size_t i = 0; i < n; ++i) spare[fill[keyed[i].Key[depth]]++] = keyed[i];
            std::copy(spare, spare + n, keyed);
            for (int b = 0; b < 256; ++b)
                Sort(keyed + start[b], spare + start[b], count[b], depth + 1);
            return;
        }
    }

private:
    static constexpr std::size_t kFew = 16;

    static bool Whole(const Keyed& k) { return k.Key[kKeyBytes - 1] == 0; }

    int Full(const Keyed& a, const Keyed& b) const {
        return compare_(*records_[a.Place], *records_[b.Place]);
    }

    // Stable: a record moves only past records that go after it.
    void InsertionSort(Keyed* keyed, std::size_t n, std::size_t depth) const {
        for (std::size_t i = 1; i < n; ++i) {
            Keyed record = keyed[i];
            std::size_t j = i;
            for (; j > 0; --j) {
                int c = std::memcmp(record.Key + depth, keyed[j - 1].Key + depth, kKeyBytes - depth);
                if (c == 0 && !Whole(record)) c = Full(record, keyed[j - 1]);
                if (c >= 0) break;
                keyed[j] = keyed[j - 1];
            }
            keyed[j] = record;
        }
    }

    const std::vector<Contact*>& records_;
    int (*compare_)(const Contact&, const Contact&);
};

int PlainFold(const Contact& a, const Contact& b) { return Platform(&a, &b); }

}  // namespace

void SortByName(std::vector<Contact*>& records) {
    // The cheap order first, and stably, as the list view's sort is: records
    // with equal names keep the order they were read in, so a book saved and
    // loaded again comes back in the same order.
    const std::size_t n = records.size();
    if (n < 2) return;
    {
        bool baseLetters = !CompareNoCaseIsPlainFold();
        std::vector<Keyed> keyed(n), spare(n);
        for (std::size_t i = 0; i < n; ++i) {
            MakeKey(*records[i], baseLetters, keyed[i].Key);
            keyed[i].Place = static_cast<std::uint32_t>(i);
        }
        KeySort(records, baseLetters ? CompareNameFold : PlainFold).Sort(keyed.data(), spare.data(), n, 0);
        std::vector<Contact*> sorted(n);
        for (std::size_t i = 0; i < n; ++i) sorted[i] = records[keyed[i].Place];
        records.swap(sorted);
    }
    // Mend with the real comparison: an insertion pass costs one comparison a
    // record when the order is already right, and little more when a few
    // names sort otherwise.  Past a budget, sort again from scratch.
    std::size_t budget = 8 * n + 64;
    for (std::size_t i = 1; i < n; ++i) {
        if (i + 8 < n) Prefetch(records[i + 8]);
        Contact* record = records[i];
        std::size_t j = i;
        while (j > 0 && Platform(records[j - 1], record) > 0) {
            records[j] = records[j - 1];
            --j;
            if (--budget == 0) {
                records[j] = record;
                std::stable_sort(records.begin(), records.end(),
                                 [](const Contact* a, const Contact* b) { return Platform(a, b) < 0; });
                return;
            }
        }
        records[j] = record;
    }
}
