#pragma once
// The book as vCard 3.0, the form phones and webmail accounts read best:
//
//   BEGIN:VCARD
//   VERSION:3.0
//   N:Lee;Ann;;;
//   FN:Ann Lee
//   TEL;TYPE=VOICE:555-0100
//   ADR;TYPE=HOME:;;12 Main St;Springfield;IL;62701;
//   EMAIL;TYPE=INTERNET:ann@example.com
//   NOTE:cell 555-0142
//   END:VCARD
//
// N and FN are always written (FN empty for a contact without a name, so that
// it stays nameless when read back); any other field that is empty gives no
// line, and the toll-call flag is not written.  Texts are UTF-8 with "\" ","
// ";" and line breaks escaped; lines end in CR LF and are folded at 75
// bytes, never inside a character.  The import reads it back as it was.

#include "contacts/Contact.h"
#include "contacts/DataFile.h"

#include <string>

class ContactList;

// Appends the card of one contact.
void AppendVCard(const Contact& c, std::string& out);

// Writes every contact of the list, in the list's order, as the data file is
// written: the file at `path` is replaced only once every byte is on disk.
WriteResult WriteVCardFile(const ContactList& list, const char* path);
