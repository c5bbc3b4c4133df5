#include "contacts/TextCompare.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <initializer_list>

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

namespace {

// The blank and the letters, in the plain fold's order.
const char kPlain[] = " abcdefghijklmnopqrstuvwxyz";
constexpr int kPlainCount = sizeof kPlain - 1;

// Asks the locale about every one, pair and triple of them whose order the
// plain fold would decide, as far as runs of up to three go.
bool PlainTextSortsPlainly() {
    char x[4] = {}, y[4] = {};
    for (int i = 0; i < kPlainCount; ++i) {
        const char a = kPlain[i];
        x[0] = a;
        y[1] = y[2] = '\0';
        if (a != ' ') {
            y[0] = static_cast<char>(a - 'a' + 'A');
            if (lstrcmpiA(x, y) != 0) return false;  // case ignored
        }
        for (int j = 0; j < kPlainCount; ++j) {
            const char b = kPlain[j];
            x[1] = b;
            y[0] = a;
            y[1] = '\0';
            if (lstrcmpiA(y, x) >= 0) return false;  // a text before its longer self
            if (i + 1 < kPlainCount) {
                y[0] = kPlain[i + 1];
                if (lstrcmpiA(x, y) >= 0) return false;  // the first one decides
            }
            if (j + 1 < kPlainCount) {
                y[0] = a;
                y[1] = kPlain[j + 1];
                if (lstrcmpiA(x, y) >= 0) return false;  // no pair sorts as one
            }
            for (int k = 0; k + 1 < kPlainCount; ++k) {
                x[2] = kPlain[k];
                y[0] = a;
                y[1] = b;
                y[2] = kPlain[k + 1];
                if (lstrcmpiA(x, y) >= 0) return false;  // nor a triple
            }
            x[2] = y[2] = '\0';
        }
        x[1] = '\0';
    }
    return true;
}

}  // namespace

bool CompareNoCaseIsPlainOnPlainText() {
    static const bool plain = PlainTextSortsPlainly();
    return plain;
}

bool CompareNoCaseSeesAs(unsigned char c, unsigned char base) {
    auto order = [](std::initializer_list<char> x, std::initializer_list<char> y) {
        char a[8] = {}, b[8] = {};
        std::copy(x.begin(), x.end(), a);
        std::copy(y.begin(), y.end(), b);
        return lstrcmpiA(a, b);
    };
    const char m = static_cast<char>(c);
    if (base == 0) {
        // Passed over: "a-c" after "ab", "a-b" before "ac", "-c" after "b",
        // and "a-b" after "a c", where a sign would go before the letters.
        return order({'a', m, 'c'}, {'a', 'b'}) > 0 && order({'a', m, 'b'}, {'a', 'c'}) < 0 &&
               order({m, 'c'}, {'b'}) > 0 && order({'a', m, 'b'}, {'a', ' ', 'c'}) > 0;
    }
    // The base letter on the first level, deciding before the accent does:
    // the letter after it decides either way round.
    const char b = static_cast<char>(base);
    return order({m, 'a'}, {b, 'b'}) < 0 && order({m, 'b'}, {b, 'a'}) > 0 && order({b, 'a'}, {m, 'b'}) < 0 &&
           order({b, 'b'}, {m, 'a'}) > 0;
}
