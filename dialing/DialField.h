#pragma once
// Which entry of a contact a dial uses, and whether a contact has something
// to dial or to mail.  The popup menu greys its items by these; they look only
// at emptiness, not at whether an entry holds a digit.

struct Contact;

enum class DialField { Phone, Misc };

// The contact's Number or MiscInfo.
const char* DialEntry(const Contact& c, DialField field);

// False without a contact or with an empty entry.
bool CanDial(const Contact* c, DialField field);
bool HasEmail(const Contact* c);
