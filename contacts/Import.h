#pragma once
// Import of the older tab-separated data files (.DAT):
//
//   ; Data for Telvara
//   COM=2
//   Ann Lee<TAB>555-0100<TAB>a note
//
// Each entry line becomes a new contact added to the current list; nothing
// is replaced, merged or written.

#include "contacts/Contact.h"

#include <cstddef>
#include <vector>

class ContactList;

extern const char kOldDataHeader[];  // "; Data for Telvara"

bool IsOldDataHeader(const char* line);
// Setting lines, comments and lines without a tab are passed over.
bool IsSkippedImportLine(const char* line);
// Name, number and note of an entry line onto a cleared record.
void MapImportLine(const char* line, Contact& c);

enum class ImportResult { Imported, CantOpen, NotDataFile };

// Adds the entries of the file to the list; `added` counts them.
ImportResult ImportOldFile(ContactList& list, const char* path, int* added = nullptr);
ImportResult ImportOldText(ContactList& list, const char* data, std::size_t size, int* added = nullptr);
// The same over a file's block as ReadWholeFile fills it, taken over.
ImportResult ImportOldBlock(ContactList& list, std::vector<char>&& block, std::size_t size, int* added = nullptr);
