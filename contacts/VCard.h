#pragma once
// vCard files (.vcf), as phones and webmail accounts export their contacts:
//
//   BEGIN:VCARD
//   VERSION:3.0
//   N:Lee;Ann;;;
//   TEL;TYPE=CELL,PREF:819-555-0142
//   END:VCARD
//
// Versions 2.1, 3.0 and 4.0.  The reader turns the bytes of a file into one
// entry per complete card, each text still in its own character set; the
// import (contacts/VCardImport.h) puts them into the ANSI code page and cuts
// them to their fields.  Whatever the bytes, reading takes time in
// proportion to their number and never fails: a card that does not end adds
// nothing.

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
};

// True when the first line that is not blank, after a UTF-8 byte order mark,
// is "BEGIN:VCARD" (in any case, blanks after it allowed).
bool IsVCardText(const char* data, std::size_t size);

// Calls `take` for each complete card, in file order.
void ReadVCards(const char* data, std::size_t size, const std::function<void(const VCardEntry&)>& take);

// Bytes handed out piece by piece: up to `room` of them at `to`; how many,
// 0 at the end.
using VCardSource = std::function<std::size_t(char* to, std::size_t room)>;

// The same for a file read piece by piece, so that a large one (photos make
// them large) is never held whole; false, with nothing read, when the
// bytes are not vCards (IsVCardText).
bool ReadVCardSource(const VCardSource& source, const std::function<void(const VCardEntry&)>& take);
