#include "contacts/VCardImport.h"

#include "contacts/AnsiText.h"
#include "contacts/ContactList.h"
#include "contacts/FileAccess.h"
#include "contacts/VCard.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

void FillContact(const VCardEntry& entry, Contact& c) {
    ClearContact(c);
    for (int f = 0; f < kContactFieldCount; ++f) {
        const CharsetText& text = entry.Fields[f];
        const std::size_t room = kContactFieldWidths[f] - 1;
        std::string ansi = ToAnsi(text.Bytes.data(), text.Bytes.size(), text.Charset, room + 1);
        char* field = ContactField(c, f);
        if (field == c.Email && ansi.size() > room) continue;  // a cut address would mail someone else
        SetField(field, room + 1, ansi.data(), AnsiFit(ansi.data(), ansi.size(), room));
    }
}

ImportResult ImportVCardText(ContactList& list, const char* data, std::size_t size, int* added) {
    std::vector<std::unique_ptr<Contact>> entries;
    ImportResult result = ImportResult::Imported;
    try {
        ReadVCards(data, size, [&](const VCardEntry& entry) {
            std::unique_ptr<Contact> c(new Contact);
            FillContact(entry, *c);
            if (c->FirstName[0] || c->LastName[0] || c->Number[0] || c->Email[0]) entries.push_back(std::move(c));
        });
    } catch (...) {
        entries.clear();  // out of memory: nothing added
        result = ImportResult::CantOpen;
    }
    int count = list.AddContacts(entries);
    list.UpdateListStatus();
    if (added) *added = count;
    return result;
}

ImportResult ImportFile(ContactList& list, const char* path, int* added) {
    if (added) *added = 0;
    std::vector<char> bytes;
    std::size_t size = 0;
    if (!ReadWholeFile(path, bytes, size)) return ImportResult::CantOpen;
    if (IsVCardText(bytes.data(), size)) return ImportVCardText(list, bytes.data(), size, added);
    return ImportOldBlock(list, std::move(bytes), size, added);
}
