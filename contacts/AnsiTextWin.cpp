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

// Each byte of a text whose code page the system lacks: ASCII stays, the
// rest is "?".
std::string AsciiOnly(const char* text, std::size_t length) {
    std::string out(text, length);
    for (char& c : out)
        if (static_cast<unsigned char>(c) >= 0x80) c = '?';
    return out;
}

}  // namespace

std::string ToAnsi(const char* text, std::size_t length, TextCharset charset, std::size_t limit) {
    // Every character takes at least one byte in the ANSI code page, and at
    // most four in the source: what lies further cannot reach the field.
    if (limit < length / 4) length = limit * 4;
    if (length == 0) return std::string();
    int size = static_cast<int>(length);
    // MultiByteToWideChar: without MB_ERR_INVALID_CHARS an invalid UTF-8
    // sequence becomes U+FFFD rather than failing the call.
    int wide = MultiByteToWideChar(CodePageOf(charset), 0, text, size, nullptr, 0);
    if (wide <= 0) return AsciiOnly(text, length < limit ? length : limit);
    std::vector<wchar_t> utf16(static_cast<std::size_t>(wide));
    MultiByteToWideChar(CodePageOf(charset), 0, text, size, utf16.data(), wide);
    // WideCharToMultiByte: WC_NO_BEST_FIT_CHARS turns a character the code
    // page cannot hold into the default character instead of a look-alike
    // (a plain letter for an accented one would pass for the right name).
    BOOL usedDefault = FALSE;
    int ansi = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, utf16.data(), wide, nullptr, 0, "?", &usedDefault);
    if (ansi <= 0) return AsciiOnly(text, length < limit ? length : limit);
    std::string out(static_cast<std::size_t>(ansi), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, utf16.data(), wide, &out[0], ansi, "?", &usedDefault);
    return out;
}

std::size_t AnsiFit(const char* text, std::size_t length, std::size_t limit) {
    // IsDBCSLeadByteEx: on a double-byte code page a lead byte and the byte
    // after it are one character, so a cut goes before a lead byte, never
    // after it.
    const UINT codePage = GetACP();
    std::size_t fit = 0;
    while (fit < length) {
        std::size_t step = IsDBCSLeadByteEx(codePage, static_cast<BYTE>(text[fit])) && fit + 1 < length ? 2 : 1;
        if (fit + step > limit) break;
        fit += step;
    }
    return fit;
}
