#include "contacts/AnsiText.h"

#include <windows.h>

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
