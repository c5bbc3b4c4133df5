#pragma once
// Text from another character set in the program's 8-bit text.  A contact
// holds text in the system's ANSI code page; a vCard names the character set
// of its texts.  On Windows the text goes through UTF-16 to the ANSI code
// page, a character the code page cannot hold becoming "?"; elsewhere (the
// native tests and fuzz targets) the ANSI code page is taken as Windows-1252
// and no set other than these four is known.

#include <cstddef>
#include <string>
#include <string_view>

enum class TextCharset { Utf8, Windows1252, Latin1, Ascii };

// The first `limit` characters of `text`, at most, in the ANSI code page:
// enough to fill a field of `limit` bytes and to tell whether it overflows.
// Writes at most `limit` bytes to `out` and returns how many bytes those
// characters take, which may be more.
std::size_t ToAnsi(const char* text, std::size_t length, TextCharset charset, char* out, std::size_t limit);

// How many bytes of the ANSI text `text` fit in `limit` bytes without cutting
// a double-byte character in two.
std::size_t AnsiFit(const char* text, std::size_t length, std::size_t limit);

// `length` bytes in the character set named `name` (an IANA name such as
// "Shift_JIS" or "KOI8-R", in any case) appended to `out` as UTF-8.  A set the
// system has no code page for gives "?" for each byte above 0x7F: a wrong
// letter that looks right would pass for the right name.
void CharsetToUtf8(std::string_view name, const char* bytes, std::size_t length, std::string& out);
