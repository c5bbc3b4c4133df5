// The import reader: ImportOldText over any bytes, into an empty list.
//
// Beyond not crashing:
// - the list holds one record for each entry line, mapped as MapImportLine
//   maps it, in the order the list control keeps (first names in case-blind
//   order, equal ones in the order they came), and `added` counts them;
// - the imported records survive a save and a load: as many records, the
//   same ones unless a tab in a field was widened to spaces by the load, and
//   a second save and load changes nothing more.

#include "FuzzSupport.h"

#include "contacts/Import.h"
#include "contacts/LineReader.h"
#include "contacts/TextCompare.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

namespace {

bool FirstNameBefore(const Contact& a, const Contact& b) { return CompareNoCase(a.FirstName, b.FirstName) < 0; }

// Any fixed order over whole records, to compare two lists as sets.
bool RecordBefore(const Contact& a, const Contact& b) {
    for (int f = 0; f < kContactFieldCount; ++f) {
        int c = std::strcmp(ContactField(a, f), ContactField(b, f));
        if (c != 0) return c < 0;
    }
    return a.TollCall < b.TollCall;
}

// False when the text is not an old data file.  An empty file is one, with
// nothing in it.
bool ExpectedRecords(const std::uint8_t* data, std::size_t size, std::vector<Contact>& records) {
    if (size == 0) return true;
    LineReader reader(false);
    reader.Assign(reinterpret_cast<const char*>(data), size);
    std::string line;
    reader.ReadLine(line);
    if (!IsOldDataHeader(line.c_str())) return false;
    while (!reader.AtEnd()) {
        reader.ReadLine(line);
        if (IsSkippedImportLine(line.c_str())) continue;
        Contact c;
        MapImportLine(line.c_str(), c);
        records.push_back(c);
    }
    std::stable_sort(records.begin(), records.end(), FirstNameBefore);
    return true;
}

void CheckMapping(const Contact& c) {
    FUZZ_CHECK(WellFormed(c));
    // The name goes to both name fields, each cut to its width.
    std::size_t first = std::strlen(c.FirstName), last = std::strlen(c.LastName);
    FUZZ_CHECK(last == std::min<std::size_t>(first, sizeof c.LastName - 1));
    FUZZ_CHECK(std::strncmp(c.FirstName, c.LastName, last) == 0);
    FUZZ_CHECK(!std::strchr(c.FirstName, '\t') && !std::strchr(c.Number, '\t'));
    FUZZ_CHECK(c.Address[0] == '\0' && c.City[0] == '\0' && c.State[0] == '\0' && c.Zip[0] == '\0' &&
               c.Email[0] == '\0' && c.TollCall == 0);
}

std::vector<Contact> Records(const ContactList& list) {
    std::vector<Contact> records;
    for (int i = 0; i < list.Count(); ++i) records.push_back(*list.ContactAt(i));
    return records;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzBook book;
    int added = -1;
    ImportResult result = ImportOldText(book.list, reinterpret_cast<const char*>(data), size, &added);
    std::vector<Contact> expected;
    if (!ExpectedRecords(data, size, expected)) {
        FUZZ_CHECK(result == ImportResult::NotDataFile);
        FUZZ_CHECK(added == 0 && book.list.Count() == 0 && !book.list.Changed());
        return 0;
    }
    FUZZ_CHECK(result == ImportResult::Imported);
    FUZZ_CHECK(added == book.list.Count());
    FUZZ_CHECK(book.list.Changed() == (added > 0));
    FUZZ_CHECK(book.status.Part(1) == std::to_string(added));
    FUZZ_CHECK(book.list.Count() == static_cast<int>(expected.size()));
    for (int i = 0; i < book.list.Count(); ++i) {
        const Contact& c = *book.list.ContactAt(i);
        CheckMapping(c);
        FUZZ_CHECK(SameContact(c, expected[static_cast<std::size_t>(i)]));
        FUZZ_CHECK(book.control.ItemAt(i).Text == c.FirstName);
    }

    // Save and load: nothing lost, and nothing changed but widened tabs.
    std::string first = DataText(book.list);
    FuzzBook loaded;
    FUZZ_CHECK(LoadContactText(loaded.list, first.data(), first.size()) == LoadResult::Loaded);
    FUZZ_CHECK(loaded.list.Count() == book.list.Count());
    std::vector<Contact> before = Records(book.list), after = Records(loaded.list);
    before.erase(std::remove_if(before.begin(), before.end(), ContainsTab), before.end());
    std::sort(before.begin(), before.end(), RecordBefore);
    std::sort(after.begin(), after.end(), RecordBefore);
    // Every record without a tab is among the loaded ones.
    std::vector<Contact> missing;
    std::set_difference(before.begin(), before.end(), after.begin(), after.end(), std::back_inserter(missing),
                        RecordBefore);
    FUZZ_CHECK(missing.empty());

    // Once loaded, a record saves and loads as it is.
    std::string second = DataText(loaded.list);
    FuzzBook again;
    FUZZ_CHECK(LoadContactText(again.list, second.data(), second.size()) == LoadResult::Loaded);
    FUZZ_CHECK(DataText(again.list) == second);
    return 0;
}
