#include "contacts/AnsiText.h"

namespace {

// Windows-1252's characters at 0x80 to 0x9F; 0 where it has none.
const char32_t kHigh1252[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
                                0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
                                0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char From1252(char32_t code) {
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) return static_cast<char>(code);
    for (int i = 0; i < 32; ++i)
        if (kHigh1252[i] == code) return static_cast<char>(0x80 + i);
    return '?';
}

// The character at `i` of UTF-8 text and its length; U+FFFD for a byte that
// starts no valid sequence, which then counts alone.
char32_t NextUtf8(const unsigned char* s, std::size_t n, std::size_t i, std::size_t& length) {
    unsigned char b = s[i];
    length = 1;
    if (b < 0x80) return b;
    std::size_t need = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC2 ? 1 : 0;
    if (need == 0 || b > 0xF4 || i + need >= n) return 0xFFFD;
    char32_t code = b & (0x3F >> need);
    for (std::size_t k = 1; k <= need; ++k) {
        if ((s[i + k] & 0xC0) != 0x80) return 0xFFFD;
        code = (code << 6) | (s[i + k] & 0x3F);
    }
    static const char32_t kLeast[4] = {0, 0x80, 0x800, 0x10000};
    if (code < kLeast[need] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0xFFFD;
    length = need + 1;
    return code;
}

}  // namespace

std::size_t ToAnsi(const char* text, std::size_t length, TextCharset charset, char* out, std::size_t limit) {
    const auto* s = reinterpret_cast<const unsigned char*>(text);
    std::size_t n = 0;
    for (std::size_t i = 0; i < length && n < limit;) {
        std::size_t step = 1;
        char32_t code = s[i];
        if (charset == TextCharset::Utf8)
            code = NextUtf8(s, length, i, step);
        else if (charset == TextCharset::Windows1252 && code >= 0x80 && code < 0xA0)
            code = kHigh1252[code - 0x80];
        else if (charset == TextCharset::Ascii && code >= 0x80)
            code = 0xFFFD;
        out[n++] = code == 0 && s[i] != 0 ? '?' : From1252(code);
        i += step;
    }
    return n;
}

std::size_t AnsiFit(const char*, std::size_t length, std::size_t limit) { return length < limit ? length : limit; }

void CharsetToUtf8(std::string_view, const char* bytes, std::size_t length, std::string& out) {
    for (std::size_t i = 0; i < length; ++i) out += static_cast<unsigned char>(bytes[i]) < 0x80 ? bytes[i] : '?';
}
