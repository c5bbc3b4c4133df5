#include "contacts/VCardImport.h"

#include "contacts/AnsiText.h"
#include "contacts/ContactList.h"
#include "contacts/FileAccess.h"
#include "contacts/VCard.h"

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

void FillContact(const VCardEntry& entry, Contact& c) {
    ClearContact(c);
    for (int f = 0; f < kContactFieldCount; ++f) {
        const CharsetText& text = entry.Fields[f];
        const std::size_t room = kContactFieldWidths[f] - 1;
        char ansi[128];  // wider than any field
        std::size_t length = ToAnsi(text.Bytes.data(), text.Bytes.size(), text.Charset, ansi, room + 1);
        char* field = ContactField(c, f);
        const CharsetText& extended = entry.ExtendedAddress;
        if (field == c.Address && !extended.Bytes.empty() && length < room) {
            if (length > 0) ansi[length++] = ' ';
            length += ToAnsi(extended.Bytes.data(), extended.Bytes.size(), extended.Charset, ansi + length,
                             room + 1 - length);
        }
        if (field == c.Email && length > room) continue;  // a cut address would mail someone else
        SetField(field, room + 1, ansi, AnsiFit(ansi, length < room + 1 ? length : room + 1, room));
    }
}

namespace {

using CardReading = std::function<bool(const std::function<void(const VCardEntry&)>&)>;

// Adds the cards `read` hands out, none when `failed` is set after it; false
// when it finds no vCards.
bool AddCards(ContactList& list, const CardReading& read, const bool& failed, ImportResult& result, int* added) {
    std::vector<std::unique_ptr<Contact>> entries;
    result = ImportResult::Imported;
    bool cards = true;
    try {
        cards = read([&](const VCardEntry& entry) {
            std::unique_ptr<Contact> c(new Contact);
            FillContact(entry, *c);
            if (c->FirstName[0] || c->LastName[0] || c->Number[0] || c->Email[0]) entries.push_back(std::move(c));
        });
    } catch (...) {
        entries.clear();  // out of memory: nothing added
        result = ImportResult::CantOpen;
    }
    if (failed) {
        entries.clear();  // a file that cannot be read whole adds nothing
        result = ImportResult::CantOpen;
    }
    if (!cards && !failed) return false;
    int count = list.AddContacts(entries);
    list.UpdateListStatus();
    if (added) *added = count;
    return true;
}

}  // namespace

ImportResult ImportVCardText(ContactList& list, const char* data, std::size_t size, int* added) {
    ImportResult result;
    const bool failed = false;
    AddCards(
        list,
        [&](const std::function<void(const VCardEntry&)>& take) {
            ReadVCards(data, size, take);
            return true;
        },
        failed, result, added);
    return result;
}

ImportResult ImportFile(ContactList& list, const char* path, int* added) {
    if (added) *added = 0;
    ImportResult result = ImportResult::CantOpen;
    {
        FileReader file;
        if (!file.Open(path)) return ImportResult::CantOpen;
        bool failed = false;
        VCardSource source = [&](char* to, std::size_t room) {
            std::size_t got = 0;
            failed = failed || !file.Read(to, room, got);
            return failed ? 0 : got;
        };
        if (AddCards(
                list, [&](const std::function<void(const VCardEntry&)>& take) { return ReadVCardSource(source, take); },
                failed, result, added))
            return result;
    }
    // Not vCards: the older data file, read whole.
    std::vector<char> bytes;
    std::size_t size = 0;
    if (!ReadWholeFile(path, bytes, size)) return ImportResult::CantOpen;
    return ImportOldBlock(list, std::move(bytes), size, added);
}
