// The vCard reader: ImportVCardText over any bytes, into an empty list.
//
// Beyond not crashing or hanging:
// - no more contacts than the times "VCARD" stands in it, and `added`, the
//   list, `Changed` and the status line agree;
// - every contact is well formed, has a name, a telephone or an e-mail
//   address, and holds no control character, so each is one line of the
//   data file; a state is empty or two capital letters;
// - the contacts survive a save and a load unchanged;
// - exported as vCards and imported again they come back as they were, but
//   for what the mapping itself cannot keep (see Reexported);
// - bytes handed out a few at a time read as the same bytes held whole.

#include "FuzzSupport.h"

#include "contacts/TrimBlanks.h"
#include "contacts/VCard.h"
#include "contacts/VCardExport.h"
#include "contacts/VCardImport.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

bool RecordBefore(const Contact& a, const Contact& b) {
    for (int f = 0; f < kContactFieldCount; ++f) {
        int c = std::strcmp(ContactField(a, f), ContactField(b, f));
        if (c != 0) return c < 0;
    }
    return false;
}

std::vector<Contact> Sorted(const ContactList& list) {
    std::vector<Contact> records;
    for (int i = 0; i < list.Count(); ++i) records.push_back(*list.ContactAt(i));
    std::sort(records.begin(), records.end(), RecordBefore);
    return records;
}

// Each card has a BEGIN line with its own "VCARD", which may be UTF-16 or
// cut by a fold or a soft line break: those bytes are passed over.
int MostCards(const std::uint8_t* data, std::size_t size) {
    std::string letters;
    for (std::size_t i = 0; i < size; ++i)
        if (!std::strchr("\r\n\t =", data[i])) letters += static_cast<char>(data[i] | 0x20);
    int words = 0;
    for (std::size_t at = 0; (at = letters.find("vcard", at)) != std::string::npos; ++at) ++words;
    return words;
}

// The cards as the import fills them, one text a card.
std::vector<std::string> Cards(const std::function<void(const std::function<void(const VCardEntry&)>&)>& read) {
    std::vector<std::string> cards;
    read([&](const VCardEntry& entry) {
        Contact c;
        FillContact(entry, c);
        cards.emplace_back(reinterpret_cast<const char*>(&c), sizeof c);
    });
    return cards;
}

// What an export and a second import keep of an imported contact.  A field
// cut at its width may end in a blank, which the reader drops as it drops
// every blank at either end; a number that still begins with "tel:" loses it
// as the scheme of a telephone URI; and a contact left without a name, a
// number or an address is not imported.  False for a contact not kept.
bool Reexported(Contact& c) {
    for (int f = 0; f < kContactFieldCount; ++f) TrimBlanks(ContactField(c, f));
    const char* n = c.Number;
    if ((n[0] | 0x20) == 't' && (n[1] | 0x20) == 'e' && (n[2] | 0x20) == 'l' && n[3] == ':') {
        std::memmove(c.Number, c.Number + 4, std::strlen(c.Number + 4) + 1);
        TrimBlanks(c.Number);
    }
    return c.FirstName[0] || c.LastName[0] || c.Number[0] || c.Email[0];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const char* text = reinterpret_cast<const char*>(data);
    std::size_t at = 0, piece = size ? data[0] % 7 + 1 : 1;
    VCardSource source = [&](char* to, std::size_t room) {
        std::size_t n = std::min({room, piece, size - at});
        std::memcpy(to, text + at, n);
        at += n;
        return n;
    };
    bool cards = false;
    std::vector<std::string> pieces = Cards([&](const auto& take) { cards = ReadVCardSource(source, take); });
    FUZZ_CHECK(cards == IsVCardText(text, size));
    if (cards) FUZZ_CHECK(pieces == Cards([&](const auto& take) { ReadVCards(text, size, take); }));
    FuzzBook book;
    int added = -1;
    FUZZ_CHECK(ImportVCardText(book.list, text, size, &added) == ImportResult::Imported);
    FUZZ_CHECK(added == book.list.Count() && added <= MostCards(data, size));
    FUZZ_CHECK(book.list.Changed() == (added > 0));
    FUZZ_CHECK(book.status.Part(1) == std::to_string(added));
    for (int i = 0; i < book.list.Count(); ++i) {
        const Contact& c = *book.list.ContactAt(i);
        FUZZ_CHECK(WellFormed(c));
        FUZZ_CHECK(c.FirstName[0] || c.LastName[0] || c.Number[0] || c.Email[0]);
        for (int f = 0; f < kContactFieldCount; ++f)
            for (const char* p = ContactField(c, f); *p; ++p) FUZZ_CHECK(static_cast<unsigned char>(*p) >= ' ');
        FUZZ_CHECK(!c.State[0] || (c.State[0] >= 'A' && c.State[0] <= 'Z' && c.State[1] >= 'A' && c.State[1] <= 'Z'));
    }
    std::string saved = DataText(book.list);
    FuzzBook loaded;
    FUZZ_CHECK(LoadContactText(loaded.list, saved.data(), saved.size()) == LoadResult::Loaded);
    FUZZ_CHECK(loaded.list.Count() == book.list.Count());
    std::vector<Contact> before = Sorted(book.list), after = Sorted(loaded.list);
    for (std::size_t i = 0; i < before.size(); ++i) FUZZ_CHECK(SameContact(before[i], after[i]));

    std::string exported;
    for (int i = 0; i < book.list.Count(); ++i) AppendVCard(*book.list.ContactAt(i), exported);
    FuzzBook again;
    FUZZ_CHECK(ImportVCardText(again.list, exported.data(), exported.size()) == ImportResult::Imported);
    std::vector<Contact> kept;
    for (Contact c : before)
        if (Reexported(c)) kept.push_back(c);
    std::sort(kept.begin(), kept.end(), RecordBefore);
    after = Sorted(again.list);
    FUZZ_CHECK(after.size() == kept.size());
    for (std::size_t i = 0; i < kept.size(); ++i) FUZZ_CHECK(SameContact(kept[i], after[i]));
    return 0;
}
