#include "contacts/Import.h"

#include "contacts/ContactList.h"
#include "contacts/LineReader.h"

#include <cstring>
#include <memory>
#include <string>
#include <vector>

const char kOldDataHeader[] = "; Data for Telvara";

namespace {

char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool StartsWithNoCase(const char* text, const char* prefix) {
    for (; *prefix; ++text, ++prefix)
        if (FoldAscii(*text) != FoldAscii(*prefix)) return false;
    return true;
}

ImportResult ImportFromReader(ContactList& list, LineReader& reader, int* added) {
    int count = 0;
    std::string line;
    // An empty file holds nothing to add and is no error.
    bool empty = reader.AtEnd();
    reader.ReadLine(line);
    ImportResult result = ImportResult::NotDataFile;
    if (empty) {
        result = ImportResult::Imported;
    } else if (IsOldDataHeader(line.c_str())) {
        // Every entry is read first and then placed in one go, each where
        // adding them one by one would have put it: one at a time, a large
        // file kept the list busy for minutes.  A file that cannot be read
        // whole adds nothing.
        result = ImportResult::Imported;
        std::vector<std::unique_ptr<Contact>> entries;
        try {
            while (!reader.AtEnd()) {
                reader.ReadLine(line);
                if (IsSkippedImportLine(line.c_str())) continue;
                std::unique_ptr<Contact> c(new Contact);
                MapImportLine(line.c_str(), *c);
                entries.push_back(std::move(c));
            }
        } catch (...) {
            entries.clear();
            result = ImportResult::CantOpen;
        }
        count = list.AddContacts(entries);
    }
    reader.Release();
    list.UpdateListStatus();
    if (added) *added = count;
    return result;
}

}  // namespace

bool IsOldDataHeader(const char* line) {
    return StartsWithNoCase(line, kOldDataHeader) && line[sizeof kOldDataHeader - 1] == '\0';
}

bool IsSkippedImportLine(const char* line) {
    return StartsWithNoCase(line, "COM=") || StartsWithNoCase(line, "BAUD=") || StartsWithNoCase(line, "DIALSTR=") ||
           line[0] == ';' || !std::strchr(line, '\t');
}

void MapImportLine(const char* line, Contact& c) {
    ClearContact(c);
    const char* tab1 = std::strchr(line, '\t');
    std::size_t nameLength = tab1 ? static_cast<std::size_t>(tab1 - line) : std::strlen(line);
    SetField(c.FirstName, sizeof c.FirstName, line, nameLength);
    SetField(c.LastName, sizeof c.LastName, line, nameLength);
    if (!tab1) return;
    const char* number = tab1 + 1;
    const char* tab2 = std::strchr(number, '\t');
    SetField(c.Number, sizeof c.Number, number, tab2 ? static_cast<std::size_t>(tab2 - number) : std::strlen(number));
    if (tab2) SetField(c.MiscInfo, sizeof c.MiscInfo, tab2 + 1);
}

ImportResult ImportOldFile(ContactList& list, const char* path, int* added) {
    if (added) *added = 0;
    LineReader reader(false);
    if (!reader.ReadFile(path)) return ImportResult::CantOpen;
    return ImportFromReader(list, reader, added);
}

ImportResult ImportOldBlock(ContactList& list, std::vector<char>&& block, std::size_t size, int* added) {
    LineReader reader(false);
    reader.Adopt(std::move(block), size);
    return ImportFromReader(list, reader, added);
}

ImportResult ImportOldText(ContactList& list, const char* data, std::size_t size, int* added) {
    LineReader reader(false);
    reader.Assign(data, size);
    return ImportFromReader(list, reader, added);
}
