#include "contacts/ColumnSort.h"

#include "contacts/Prefetch.h"
#include "contacts/TextCompare.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

// Letters of the ANSI code page without case and accents, as the locale's
// first comparison level sees them.
struct BaseLetters {
    unsigned char base[256];
    BaseLetters() {
        for (int i = 0; i < 256; ++i) base[i] = static_cast<unsigned char>((i >= 'A' && i <= 'Z') ? i - 'A' + 'a' : i);
        const char* accented[] = {
            "a\xC0\xC1\xC2\xC3\xC4\xC5\xC6\xE0\xE1\xE2\xE3\xE4\xE5\xE6",
            "c\xC7\xE7",
            "e\xC8\xC9\xCA\xCB\xE8\xE9\xEA\xEB",
            "i\xCC\xCD\xCE\xCF\xEC\xED\xEE\xEF",
            "d\xD0\xF0",
            "n\xD1\xF1",
            "o\xD2\xD3\xD4\xD5\xD6\xD8\xF2\xF3\xF4\xF5\xF6\xF8\x8C\x9C",
            "u\xD9\xDA\xDB\xDC\xF9\xFA\xFB\xFC",
            "y\xDD\xFD\xFF\x9F",
            "s\x8A\x9A\xDF",
            "z\x8E\x9E",
            "t\xDE\xFE",
        };
        for (const char* group : accented)
            for (const char* p = group + 1; *p; ++p)
                base[static_cast<unsigned char>(*p)] = static_cast<unsigned char>(group[0]);
    }
};
const BaseLetters kBase;

unsigned char FoldCase(unsigned char c) {
    return static_cast<unsigned char>((c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c);
}

const unsigned char* Bytes(const Contact& c, int field) {
    return reinterpret_cast<const unsigned char*>(ContactField(c, field));
}

// Walks a sort text, one or two fields, a folded byte at a time.
struct FoldWalk {
    const unsigned char* p;
    const unsigned char* next;
    bool skipMarks;
    FoldWalk(const Contact& c, const SortText& by, bool marks)
        : p(Bytes(c, by.Field)), next(by.JoinedField >= 0 ? Bytes(c, by.JoinedField) : nullptr), skipMarks(marks) {}
    int Take() {
        for (;;) {
            while (*p == 0) {
                if (!next) return 0;
                p = next;
                next = nullptr;
            }
            unsigned char c = *p++;
            if (!skipMarks) return FoldCase(c);
            if (c == '-' || c == '\'') continue;  // ignored by the locale's word order
            return kBase.base[c];
        }
    }
};

int Walk(const Contact& a, const Contact& b, const SortText& by, bool base) {
    FoldWalk x(a, by, base), y(b, by, base);
    for (;;) {
        int cx = x.Take(), cy = y.Take();
        if (cx != cy) return cx - cy;
        if (cx == 0) return 0;
    }
}

// The cheap order as bytes, so that the records can be dealt by them instead
// of being compared n log n times: the text's base letters (marks passed
// over), a zero, then the text folded for case only.  Where the list's own
// comparison is that plain fold (not on Windows), the key is the plain fold
// alone, which orders the records as the list does.  Comparing two keys byte
// by byte gives the order of the comparison they stand for; only the first
// kKeyBytes are kept, and texts alike that far are told apart by the
// comparison itself.  A descending sort keeps each byte's complement.
constexpr std::size_t kKeyBytes = 24;

struct Keyed {
    unsigned char Key[kKeyBytes];
    bool Whole;               // the key holds the whole text: equal keys are equal texts
    bool Trusted;             // every byte of the text is one the locale sees as its key does
    std::uint8_t BaseLength;  // of the base letters, at the start of the key
    std::uint32_t Place;      // in the records as given
};

bool IsPlain(int c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == ' '; }

// The bytes whose first comparison level the locale sees as the key's base
// letters do: the blank and the letters, each accented letter as its base
// letter, hyphens and apostrophes passed over.  Of two texts of such bytes
// whose base letters differ, those letters decide, as they do in the key.
// Asked once, of the locale, for each byte.
struct TrustedBytes {
    bool trusted[256] = {};
    TrustedBytes() {
        if (!CompareNoCaseIsPlainOnPlainText()) return;
        for (int c = 1; c < 256; ++c) {
            unsigned char base = kBase.base[c];
            if (IsPlain(c))
                trusted[c] = true;
            else if (c == '-' || c == '\'')
                trusted[c] = CompareNoCaseSeesAs(static_cast<unsigned char>(c), 0);
            else if (base != c && base >= 'a' && base <= 'z')
                trusted[c] = CompareNoCaseSeesAs(static_cast<unsigned char>(c), base);
        }
    }
};

const TrustedBytes& Trusted() {
    static const TrustedBytes bytes;
    return bytes;
}

// What a key makes of each byte, for making it in one pass: the base letter
// (0 for a mark passed over), the byte folded for case only, and whether it
// is plain (a letter or the blank).
struct KeyTables {
    unsigned char base[256];
    unsigned char fold[256];
    bool plain[256];
    KeyTables() {
        for (int c = 0; c < 256; ++c) {
            base[c] = (c == '-' || c == '\'') ? 0 : kBase.base[c];
            fold[c] = FoldCase(static_cast<unsigned char>(c));
            plain[c] = IsPlain(c);
        }
    }
};
const KeyTables kTables;

// Appends the folded text of the key's fields through `table` (a 0 in it
// passes a byte over), then its terminator; false when it does not all fit.
bool AppendPart(const Contact& c, const SortText& by, const unsigned char* table, unsigned char* key, std::size_t& n) {
    bool fits = true;
    for (int part = 0; part < 2; ++part) {
        int field = part == 0 ? by.Field : by.JoinedField;
        if (field < 0) break;
        for (const unsigned char* p = Bytes(c, field); *p; ++p) {
            unsigned char b = table[*p];
            if (b == 0) continue;
            if (n < kKeyBytes)
                key[n++] = b;
            else
                fits = false;
        }
    }
    if (n == kKeyBytes) return false;  // no room for the terminator
    key[n++] = 0;
    return fits;
}

// `trusted` is null where keys are the comparison itself (the plain fold).
void MakeKey(const Contact& c, const SortText& by, const bool* trusted, Keyed& keyed) {
    const bool baseLetters = trusted != nullptr;
    bool plain = true;
    bool sure = true;
    std::size_t baseLength = 0;
    const unsigned char* first = baseLetters ? kTables.base : kTables.fold;
    for (int part = 0; part < 2; ++part) {
        int field = part == 0 ? by.Field : by.JoinedField;
        if (field < 0) break;
        for (const unsigned char* p = Bytes(c, field); *p; ++p) {
            plain = plain && kTables.plain[*p];
            if (trusted) sure = sure && trusted[*p];
            if (first[*p] != 0) ++baseLength;
        }
    }
    std::size_t n = 0;
    bool whole = AppendPart(c, by, first, keyed.Key, n);
    // Of letters and blanks alone, the base letters are the text folded: one
    // part is enough.
    if (baseLetters && !plain && whole) whole = AppendPart(c, by, kTables.fold, keyed.Key, n);
    while (n < kKeyBytes) keyed.Key[n++] = 0;
    if (!by.Ascending)
        for (unsigned char& b : keyed.Key) b = static_cast<unsigned char>(~b);
    keyed.Whole = whole;
    keyed.Trusted = sure;
    keyed.BaseLength = static_cast<std::uint8_t>(baseLength < 255 ? baseLength : 255);
}

// A stable sort of keyed records by their keys, a byte at a time: each pass
// deals the records into one run for each value of the byte, keeping their
// order within a run, and goes on into the runs.  Records whose keys are
// alike in every byte kept go by the cheap comparison itself.
class KeySort {
public:
    KeySort(const std::vector<const Contact*>& records, const SortText& by, bool baseLetters)
        : records_(records), by_(by), baseLetters_(baseLetters) {}

    // Sorts the n records by their keys from byte `depth` on, leaving them
    // at `home`.  They are at `home`, or at `spare` when `inSpare`; the other
    // place is free to deal them into, so no pass copies them back.
    void Sort(Keyed* home, Keyed* spare, bool inSpare, std::size_t n, std::size_t depth) const {
        Keyed* from = inSpare ? spare : home;
        Keyed* to = inSpare ? home : spare;
        for (;;) {
            if (n < 2 || n <= kFew || depth == kKeyBytes) {
                if (depth == kKeyBytes) {  // alike in every byte kept
                    if (n >= 2 && !from[0].Whole)
                        std::stable_sort(from, from + n,
                                         [this](const Keyed& a, const Keyed& b) { return Full(a, b) < 0; });
                } else {
                    InsertionSort(from, n, depth);
                }
                if (inSpare) std::copy(from, from + n, home);
                return;
            }
            std::size_t count[256] = {};
            for (std::size_t i = 0; i < n; ++i) ++count[from[i].Key[depth]];
            if (count[from[0].Key[depth]] == n) {
                // All alike in this byte: go on to the first byte in which
                // any differs, in one pass.
                std::size_t differs = kKeyBytes;
                for (std::size_t i = 1; i < n; ++i) {
                    if (std::memcmp(from[i].Key + depth, from[0].Key + depth, differs - depth) == 0) continue;
                    std::size_t d = depth + 1;
                    while (from[i].Key[d] == from[0].Key[d]) ++d;
                    differs = d;
                }
                depth = differs;
                continue;
            }
            std::size_t start[256], fill[256];
            std::size_t at = 0;
            for (int b = 0; b < 256; ++b) {
                start[b] = fill[b] = at;
                at += count[b];
            }
            for (std::size_t i = 0; i < n; ++i) to[fill[from[i].Key[depth]]++] = from[i];
            for (int b = 0; b < 256; ++b)
                if (count[b]) Sort(home + start[b], spare + start[b], !inSpare, count[b], depth + 1);
            return;
        }
    }

private:
    static constexpr std::size_t kFew = 16;

    int Full(const Keyed& a, const Keyed& b) const {
        const Contact& x = *records_[a.Place];
        const Contact& y = *records_[b.Place];
        int result = baseLetters_ ? CompareTextFold(x, y, by_) : Walk(x, y, by_, false);
        return by_.Ascending ? result : -result;
    }

    // Stable: a record moves only past records that go after it.
    void InsertionSort(Keyed* keyed, std::size_t n, std::size_t depth) const {
        for (std::size_t i = 1; i < n; ++i) {
            Keyed record = keyed[i];
            std::size_t j = i;
            for (; j > 0; --j) {
                int c = std::memcmp(record.Key + depth, keyed[j - 1].Key + depth, kKeyBytes - depth);
                if (c == 0 && !record.Whole) c = Full(record, keyed[j - 1]);
                if (c >= 0) break;
                keyed[j] = keyed[j - 1];
            }
            keyed[j] = record;
        }
    }

    const std::vector<const Contact*>& records_;
    SortText by_;
    bool baseLetters_;
};

// Texts that differ in the case of A to Z at most: every comparison of the
// list finds them equal, so the real one need not be asked.
bool SameFolded(const Contact& a, const Contact& b, const SortText& by) {
    const unsigned char* x = Bytes(a, by.Field);
    const unsigned char* y = Bytes(b, by.Field);
    if (by.JoinedField < 0 || std::strcmp(reinterpret_cast<const char*>(x), reinterpret_cast<const char*>(y)) != 0)
        return Walk(a, b, by, false) == 0;
    // The first fields are the same bytes: the rest is the second ones.
    SortText second{by.JoinedField, -1, by.Ascending};
    return Walk(a, b, second, false) == 0;
}

// The exact order: the list's comparison, then the place given.
class ExactOrder {
public:
    ExactOrder(const std::vector<const Contact*>& records, const SortText& by) : records_(records), by_(by) {}
    int operator()(std::uint32_t x, std::uint32_t y) const {
        const Contact& a = *records_[x];
        const Contact& b = *records_[y];
        if (!SameFolded(a, b, by_)) {
            int result = CompareSortText(a, b, by_);
            if (result != 0) return result;
        }
        return x < y ? -1 : (x > y ? 1 : 0);
    }

private:
    const std::vector<const Contact*>& records_;
    SortText by_;
};

}  // namespace

SortText ColumnSortText(int column, bool ascending) { return SortText{column, column == 0 ? 1 : -1, ascending}; }

int CompareSortText(const Contact& a, const Contact& b, const SortText& by) {
    const Contact& x = by.Ascending ? a : b;
    const Contact& y = by.Ascending ? b : a;
    if (by.JoinedField >= 0)
        return CompareNoCaseJoined(ContactField(x, by.Field), ContactField(x, by.JoinedField),
                                   ContactField(y, by.Field), ContactField(y, by.JoinedField));
    return CompareNoCase(ContactField(x, by.Field), ContactField(y, by.Field));
}

int CompareTextFold(const Contact& a, const Contact& b, const SortText& by) {
    // Base letters first; texts equal in those by their marks and accents.
    int result = Walk(a, b, by, true);
    return result ? result : Walk(a, b, by, false);
}

bool SameSortText(const Contact& a, const Contact& b, const SortText& by) {
    return SameFolded(a, b, by) || CompareSortText(a, b, by) == 0;
}

std::vector<std::uint32_t> StableOrder(const std::vector<const Contact*>& records, const SortText& by,
                                       std::vector<bool>* sameAsBefore) {
    const std::size_t n = records.size();
    std::vector<std::uint32_t> order(n);
    for (std::size_t i = 0; i < n; ++i) order[i] = static_cast<std::uint32_t>(i);
    if (sameAsBefore) sameAsBefore->assign(n, false);
    if (n < 2) return order;
    const bool baseLetters = !CompareNoCaseIsPlainFold();
    // Which bytes the keys can answer for is asked of the locale only for a
    // list long enough to repay the asking; otherwise none.
    static const bool kNone[256] = {};
    const bool* trusted = !baseLetters ? nullptr : n >= 4096 ? Trusted().trusted : kNone;
    // Left unset until filled: clearing tens of megabytes first costs time.
    std::unique_ptr<Keyed[]> keyed(new Keyed[n]);
    {
        for (std::size_t i = 0; i < n; ++i) {
            if (i + 16 < n) Prefetch(ContactField(*records[i + 16], by.Field));
            MakeKey(*records[i], by, trusted, keyed[i]);
            keyed[i].Place = static_cast<std::uint32_t>(i);
        }
        std::unique_ptr<Keyed[]> spare(new Keyed[n]);
        KeySort(records, by, baseLetters).Sort(keyed.get(), spare.get(), false, n, 0);
    }
    // Mend with the real comparison: an insertion pass costs one comparison a
    // record when the order is already right, and little more when a few
    // texts sort otherwise.  The keys answer for most pairs without the
    // records: equal whole keys are texts that differ in case at most, and
    // two texts of trusted bytes whose base letters differ go by them.  Past
    // a budget, sort again from scratch.
    ExactOrder exact(records, by);
    // What the keys alone tell of two texts: -1 or 1 when they order them,
    // 0 when they are equal texts, 2 when only the real comparison can say.
    auto keysTell = [](const Keyed& a, const Keyed& b) {
        if (std::memcmp(a.Key, b.Key, kKeyBytes) == 0) return a.Whole && b.Whole ? 0 : 2;
        std::size_t at = 0;
        while (a.Key[at] == b.Key[at]) ++at;
        if (a.Trusted && b.Trusted && at <= a.BaseLength && at <= b.BaseLength) return a.Key[at] < b.Key[at] ? -1 : 1;
        return 2;
    };
    auto compare = [&](const Keyed& a, const Keyed& b) {
        int told = keysTell(a, b);
        if (told == 0) return a.Place < b.Place ? -1 : 1;
        return told == 2 ? exact(a.Place, b.Place) : told;
    };
    std::size_t budget = 8 * n + 64;
    for (std::size_t i = 1; i < n; ++i) {
        Keyed record = keyed[i];
        std::size_t j = i;
        while (j > 0 && compare(keyed[j - 1], record) > 0) {
            keyed[j] = keyed[j - 1];
            --j;
            if (--budget == 0) {
                std::sort(order.begin(), order.end(),
                          [&exact](std::uint32_t x, std::uint32_t y) { return exact(x, y) < 0; });
                for (std::size_t k = 1; sameAsBefore && k < n; ++k)
                    (*sameAsBefore)[k] = SameSortText(*records[order[k - 1]], *records[order[k]], by);
                return order;
            }
        }
        keyed[j] = record;
    }
    for (std::size_t i = 0; i < n; ++i) order[i] = keyed[i].Place;
    for (std::size_t i = 1; sameAsBefore && i < n; ++i) {
        int told = keysTell(keyed[i - 1], keyed[i]);
        (*sameAsBefore)[i] =
            told == 0 || (told == 2 && SameSortText(*records[keyed[i - 1].Place], *records[keyed[i].Place], by));
    }
    return order;
}
