#pragma once
// vCard files (.vcf), as phones and webmail accounts export their contacts:
//
//   BEGIN:VCARD
//   VERSION:3.0
//   N:Lee;Ann;;;
//   TEL;TYPE=CELL,PREF:819-555-0142
//   END:VCARD
//
// Versions 2.1, 3.0 and 4.0, in UTF-8 or, after a byte order mark, UTF-16.
// The reader turns the bytes of a file into one entry per card, each text
// still in its own character set (one the reader does not know itself is
// converted to UTF-8 by the system, AnsiText.h); the import
// (contacts/VCardImport.h) puts them into the ANSI code page and cuts them to
// their fields.  Whatever the bytes, reading takes time in proportion to
// their number and never fails: a card inside a card is one of its own, and
// a card the file cuts short is taken with what it holds.

#include "contacts/AnsiText.h"
#include "contacts/Contact.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

struct CharsetText {
    std::string_view Bytes;  // one line: no control characters, no blanks at either end
    TextCharset Charset = TextCharset::Utf8;
};

// One card's texts for the contact's nine fields, in field order; they last
// as long as the call that hands them out.
struct VCardEntry {
    CharsetText Fields[kContactFieldCount];
    // The extended address (an apartment, a suite): the address field holds
    // the street, a blank and this, each converted by its own bytes.
    CharsetText ExtendedAddress;
};

// True when the first line that is not blank, after a byte order mark, is
// "BEGIN:VCARD" (in any case, blanks after it allowed).
bool IsVCardText(const char* data, std::size_t size);

// Calls `take` for each card as it ends (an inner card before the one
// around it), or at the end of the file for those still open.
void ReadVCards(const char* data, std::size_t size, const std::function<void(const VCardEntry&)>& take);

// Bytes handed out piece by piece: up to `room` of them at `to`; how many,
// 0 at the end.
using VCardSource = std::function<std::size_t(char* to, std::size_t room)>;

// The same for a file read piece by piece, so that a large one (photos make
// them large) is never held whole; false, with nothing read, when the
// bytes are not vCards (IsVCardText).
bool ReadVCardSource(const VCardSource& source, const std::function<void(const VCardEntry&)>& take);
