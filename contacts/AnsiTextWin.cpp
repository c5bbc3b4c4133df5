#include "contacts/AnsiText.h"

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

UINT CodePageOf(TextCharset charset) {
    switch (charset) {
        case TextCharset::Windows1252: return 1252;
        case TextCharset::Latin1: return 28591;
        case TextCharset::Ascii: return 20127;
        default: return CP_UTF8;
    }
}

}  // namespace

std::size_t ToAnsi(const char* text, std::size_t length, TextCharset charset, char* out, std::size_t limit) {
    // Text of ASCII characters alone is the same in each of the four sets and
    // in every ANSI code page (each holds ASCII at its own codes), so it
    // needs no conversion; most of a phone book is such text.
    std::size_t ascii = 0;
    while (ascii < length && ascii < limit && static_cast<unsigned char>(text[ascii]) < 0x80) {
        out[ascii] = text[ascii];
        ++ascii;
    }
    if (ascii == length || ascii == limit) return ascii;
    // Every character takes at least one byte in the ANSI code page, and at
    // most four in the source: what lies further cannot reach the field.
    if (limit < length / 4) length = limit * 4;
    const int size = static_cast<int>(length);
    const UINT codePage = CodePageOf(charset);
    // MultiByteToWideChar: without MB_ERR_INVALID_CHARS an invalid UTF-8
    // sequence becomes U+FFFD rather than failing the call.
    std::vector<wchar_t> utf16(length);
    int wide = MultiByteToWideChar(codePage, 0, text, size, utf16.data(), size);
    // WideCharToMultiByte: WC_NO_BEST_FIT_CHARS turns a character the code
    // page cannot hold into the default character instead of a look-alike
    // (a plain letter for an accented one would pass for the right name).
    // With UTF-8 as the ANSI code page every character fits, and the call
    // takes neither the flag nor a default character.
    const bool utf8 = GetACP() == CP_UTF8;
    BOOL usedDefault = FALSE;
    std::vector<char> ansi(length * 4);
    int n = wide > 0 ? WideCharToMultiByte(CP_ACP, utf8 ? 0 : WC_NO_BEST_FIT_CHARS, utf16.data(), wide, ansi.data(),
                                           static_cast<int>(ansi.size()), utf8 ? nullptr : "?",
                                           utf8 ? nullptr : &usedDefault)
                     : 0;
    if (n <= 0) {
        // A code page the system lacks: ASCII stays, the rest is "?".
        n = static_cast<int>(length < limit ? length : limit);
        for (int k = 0; k < n; ++k) ansi[k] = static_cast<unsigned char>(text[k]) < 0x80 ? text[k] : '?';
    }
    for (std::size_t k = 0; k < static_cast<std::size_t>(n) && k < limit; ++k) out[k] = ansi[k];
    return static_cast<std::size_t>(n);
}

std::size_t AnsiFit(const char* text, std::size_t length, std::size_t limit) {
    // IsDBCSLeadByteEx: on a double-byte code page a lead byte and the byte
    // after it are one character, so a cut goes before a lead byte, never
    // after it.
    const UINT codePage = GetACP();
    std::size_t fit = 0;
    while (fit < length) {
        std::size_t step = IsDBCSLeadByteEx(codePage, static_cast<BYTE>(text[fit])) && fit + 1 < length ? 2 : 1;
        // A UTF-8 ANSI code page: a character's continuation bytes go with it.
        if (codePage == CP_UTF8)
            while (fit + step < length && (static_cast<BYTE>(text[fit + step]) & 0xC0) == 0x80) ++step;
        if (fit + step > limit) break;
        fit += step;
    }
    return fit;
}

namespace {

// An IANA character set name as a code page, 0 when the system has none.
// Names are compared in lower case without "-", "_", "." and blanks, so that
// "Shift_JIS", "SHIFT-JIS" and "shiftjis" are one name.
UINT CodePageNamed(std::string_view name) {
    std::string key;
    for (char c : name) {
        if (c == '-' || c == '_' || c == '.' || c == ' ') continue;
        key += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        if (key.size() > 24) return 0;
    }
    static const struct {
        const char* Name;
        UINT CodePage;
    } kNames[] = {
        {"shiftjis", 932},      {"sjis", 932},          {"xsjis", 932},
        {"windows31j", 932},    {"mskanji", 932},       {"csshiftjis", 932},
        {"eucjp", 20932},       {"xeucjp", 20932},      {"iso2022jp", 50220},
        {"csiso2022jp", 50220}, {"gb2312", 936},        {"csgb2312", 936},
        {"gbk", 936},           {"xgbk", 936},          {"euccn", 936},
        {"xeuccn", 936},        {"chinese", 936},       {"gb18030", 54936},
        {"big5", 950},          {"csbig5", 950},        {"xxbig5", 950},
        {"big5hkscs", 950},     {"euckr", 949},         {"cseuckr", 949},
        {"ksc56011987", 949},   {"csksc56011987", 949}, {"ksc5601", 949},
        {"korean", 949},        {"iso2022kr", 50225},   {"koi8r", 20866},
        {"cskoi8r", 20866},     {"koi8u", 21866},       {"tis620", 874},
        {"latin1", 28591},      {"latin2", 28592},      {"latin9", 28605},
        {"cyrillic", 28595},    {"greek", 28597},       {"hebrew", 28598},
        {"arabic", 28596},      {"macintosh", 10000},   {"mac", 10000},
        {"csmacintosh", 10000}, {"utf7", 65000},        {"unicode11utf7", 65000},
    };
    for (const auto& n : kNames)
        if (key == n.Name) return n.CodePage;
    // "windows-1251", "cp866", "IBM850", "ms936" and "ISO-8859-15": a prefix
    // and the number.
    static const char* const kPrefixes[] = {"windows", "cp", "xcp", "ibm", "ms", "iso8859"};
    for (const char* prefix : kPrefixes) {
        const std::size_t n = std::strlen(prefix);
        if (key.compare(0, n, prefix) != 0 || key.size() == n || key.size() > n + 5) continue;
        UINT number = 0;
        for (std::size_t i = n; i < key.size(); ++i) {
            if (key[i] < '0' || key[i] > '9') return 0;
            number = number * 10 + static_cast<UINT>(key[i] - '0');
        }
        // 0 to 3 stand for the ANSI, OEM, Mac and thread's pages, not a set.
        if (std::strcmp(prefix, "iso8859") != 0) return number >= 37 ? number : 0;
        // ISO-8859-n is code page 28590 + n; 12 was never published, 11 is Thai.
        return number == 11 ? 874 : number >= 1 && number <= 16 && number != 12 ? 28590 + number : 0;
    }
    return 0;
}

}  // namespace

void CharsetToUtf8(std::string_view name, const char* bytes, std::size_t length, std::string& out) {
    // A line of this size is no contact's; what lies beyond cannot reach a field.
    const std::size_t kMost = std::size_t(1) << 26;
    if (length > kMost) length = kMost;
    const UINT codePage = CodePageNamed(name);
    const int size = static_cast<int>(length);
    // IsValidCodePage: the table names code pages that a system may lack.
    // MultiByteToWideChar: flags 0, since the ISO-2022, UTF-7 and GB18030
    // pages take no other; a byte that starts no character becomes the code
    // page's default character rather than failing the call.
    int wide = 0;
    std::vector<wchar_t> utf16;
    // The first call asks for the size: a code page may give more than one
    // UTF-16 unit for a byte.
    if (codePage != 0 && size > 0 && IsValidCodePage(codePage))
        wide = MultiByteToWideChar(codePage, 0, bytes, size, nullptr, 0);
    if (wide > 0) {
        utf16.resize(static_cast<std::size_t>(wide));
        wide = MultiByteToWideChar(codePage, 0, bytes, size, utf16.data(), wide);
    }
    if (wide <= 0) {
        for (std::size_t i = 0; i < length; ++i) out += static_cast<unsigned char>(bytes[i]) < 0x80 ? bytes[i] : '?';
        return;
    }
    const int n = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), wide, nullptr, 0, nullptr, nullptr);
    if (n <= 0) return;
    const std::size_t at = out.size();
    out.resize(at + static_cast<std::size_t>(n));
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), wide, &out[at], n, nullptr, nullptr);
}
