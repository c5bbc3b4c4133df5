#include "contacts/AnsiToUtf8.h"

#include <windows.h>

#include <vector>

void AppendUtf8(const char* text, std::size_t length, std::string& out) {
    // ASCII is the same in every ANSI code page and in UTF-8: most of a
    // phone book needs no conversion.
    std::size_t ascii = 0;
    while (ascii < length && static_cast<unsigned char>(text[ascii]) < 0x80) ++ascii;
    out.append(text, ascii);
    if (ascii == length) return;
    text += ascii;
    const int size = static_cast<int>(length - ascii);
    // MultiByteToWideChar gives at most one UTF-16 unit per byte, and
    // WideCharToMultiByte at most three UTF-8 bytes per unit.  A field's
    // text fits the buffers on the stack.
    wchar_t utf16Here[128];
    char utf8Here[3 * 128];
    std::vector<wchar_t> utf16There;
    std::vector<char> utf8There;
    wchar_t* utf16 = utf16Here;
    char* utf8 = utf8Here;
    if (size > 128) {
        utf16There.resize(static_cast<std::size_t>(size));
        utf8There.resize(static_cast<std::size_t>(size) * 3);
        utf16 = utf16There.data();
        utf8 = utf8There.data();
    }
    int wide = MultiByteToWideChar(CP_ACP, 0, text, size, utf16, size);
    int n = wide > 0 ? WideCharToMultiByte(CP_UTF8, 0, utf16, wide, utf8, size * 3, nullptr, nullptr) : 0;
    if (n > 0) {
        out.append(utf8, static_cast<std::size_t>(n));
        return;
    }
    // Conversion refused: ASCII stays, the rest is "?", never stray bytes.
    for (int k = 0; k < size; ++k) out += static_cast<unsigned char>(text[k]) < 0x80 ? text[k] : '?';
}
