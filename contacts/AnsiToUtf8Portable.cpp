#include "contacts/AnsiToUtf8.h"

#include "contacts/AnsiText.h"

namespace {

void AppendCode(char32_t code, std::string& out) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// The character of each byte, found by asking ToAnsi which character gives
// that byte: the export then reads back through the import as it was
// written, whatever code page ToAnsi stands in for.  A byte that no
// character gives stands for the character of the same number.
struct ByteCharacters {
    char32_t Of[256];
    ByteCharacters() {
        for (int b = 0; b < 256; ++b) Of[b] = static_cast<char32_t>(b);
        for (char32_t code = 0x3000; code-- > 0x80;) {
            std::string utf8;
            AppendCode(code, utf8);
            char ansi = 0;
            if (ToAnsi(utf8.data(), utf8.size(), TextCharset::Utf8, &ansi, 1) == 1 && ansi != '?')
                Of[static_cast<unsigned char>(ansi)] = code;
        }
    }
};

}  // namespace

void AppendUtf8(const char* text, std::size_t length, std::string& out) {
    static const ByteCharacters kCharacters;
    for (std::size_t i = 0; i < length; ++i) AppendCode(kCharacters.Of[static_cast<unsigned char>(text[i])], out);
}
