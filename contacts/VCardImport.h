#pragma once
// The Import command's reading of a file: a vCard file (told by its content,
// not its name) adds one contact for each card that has a name, a telephone
// or an e-mail address; every other file is read as an older data file
// (contacts/Import.h).  The entries are placed as the older import places
// them: all at once, one change of the list, one status update.

#include "contacts/Import.h"
#include "contacts/VCard.h"

#include <cstddef>

class ContactList;

ImportResult ImportFile(ContactList& list, const char* path, int* added = nullptr);
ImportResult ImportVCardText(ContactList& list, const char* data, std::size_t size, int* added = nullptr);

// One card's texts in the ANSI code page, each cut to its field's width; an
// e-mail address that does not fit is left out rather than cut.
void FillContact(const VCardEntry& entry, Contact& c);
