// The data file reader: LoadContactText over any bytes.
//
// Beyond not crashing:
// - the list holds the file's record lines, parsed, sorted by name, with
//   equal names in the file's order;
// - saving the list and loading what was saved gives the same records in the
//   same order, and saving those gives the same text again;
// - WriteDataFile writes that same text (on some inputs: it goes to a file);
// - on some inputs, a long list made of the loaded records: the list
//   control's sort and the load's SortByName give the order of a plain stable
//   sort, and the control keeps the selected item selected.

#include "FuzzSupport.h"

#include "contacts/LineReader.h"
#include "contacts/NameSort.h"
#include "contacts/TextCompare.h"

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

bool NameBefore(const Contact& a, const Contact& b) {
    return CompareNoCaseJoined(a.FirstName, a.LastName, b.FirstName, b.LastName) < 0;
}

// What the load must give: the record lines in file order, parsed, then
// sorted by name, equal names keeping their order.
bool ExpectedRecords(const std::uint8_t* data, std::size_t size, std::vector<Contact>& records) {
    LineReader reader(true);
    reader.Assign(reinterpret_cast<const char*>(data), size);
    std::string line1, line2, line;
    reader.ReadLine(line1);
    reader.ReadLine(line2);
    if (!IsDataFileHeader(line1.c_str(), line2.c_str())) return false;
    while (!reader.AtEnd()) {
        reader.ReadLine(line);
        if (!IsRecordLine(line.c_str())) continue;
        Contact c;
        ParseRecordLine(line.c_str(), c);
        records.push_back(c);
    }
    std::stable_sort(records.begin(), records.end(), NameBefore);
    return true;
}

void CheckSameRecords(const ContactList& list, const std::vector<Contact>& records) {
    FUZZ_CHECK(list.Count() == static_cast<int>(records.size()));
    for (int i = 0; i < list.Count(); ++i) FUZZ_CHECK(SameContact(*list.ContactAt(i), records[i]));
}

void CheckWriteDataFile(const ContactList& list, const std::string& expected) {
    char path[64];
    std::snprintf(path, sizeof path, "/tmp/telvara-fuzz-%ld.csv", static_cast<long>(getpid()));
    FUZZ_CHECK(WriteDataFile(list, path) == WriteResult::Written);
    std::ifstream in(path, std::ios::binary);
    std::string written((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    unlink(path);
    FUZZ_CHECK(written == expected);
}

int CompareRecords(ItemData a, ItemData b, std::intptr_t) {
    const Contact* x = reinterpret_cast<const Contact*>(a);
    const Contact* y = reinterpret_cast<const Contact*>(b);
    return CompareNoCaseJoined(x->FirstName, x->LastName, y->FirstName, y->LastName);
}

// A list long enough for the control's sort to deal it into buckets, made of
// copies of the loaded records (so with many equal names).
void CheckLongSort(const ContactList& list, std::uint32_t hash) {
    const std::size_t n = 2100 + hash % 7000;
    std::vector<Contact> records(n);
    for (std::size_t i = 0; i < n; ++i) records[i] = *list.ContactAt(static_cast<int>((i * 7 + hash) % list.Count()));
    MemoryListControl control;
    for (std::size_t i = 0; i < n; ++i)
        FUZZ_CHECK(control.Append(records[i].FirstName, 0, reinterpret_cast<ItemData>(&records[i])) ==
                   static_cast<int>(i));
    int selected = static_cast<int>(hash % n);
    control.Select(selected);
    ItemData selectedData = control.GetItemData(selected);

    std::vector<ItemData> expected(n);
    for (std::size_t i = 0; i < n; ++i) expected[i] = reinterpret_cast<ItemData>(&records[i]);
    std::stable_sort(expected.begin(), expected.end(),
                     [](ItemData a, ItemData b) { return CompareRecords(a, b, 0) < 0; });

    control.SortItems(&CompareRecords, 0);
    FUZZ_CHECK(control.ItemCount() == static_cast<int>(n));
    for (std::size_t i = 0; i < n; ++i) {
        FUZZ_CHECK(control.GetItemData(static_cast<int>(i)) == expected[i]);
        const Contact* c = reinterpret_cast<const Contact*>(expected[i]);
        FUZZ_CHECK(control.ItemAt(static_cast<int>(i)).Text == c->FirstName);
    }
    FUZZ_CHECK(control.SelectedItem() >= 0 && control.GetItemData(control.SelectedItem()) == selectedData);

    // The load's own sort, over the same long list.
    std::vector<Contact*> byName(n);
    for (std::size_t i = 0; i < n; ++i) byName[i] = &records[i];
    SortByName(byName);
    for (std::size_t i = 0; i < n; ++i) FUZZ_CHECK(reinterpret_cast<ItemData>(byName[i]) == expected[i]);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzBook book;
    LoadResult result = LoadContactText(book.list, reinterpret_cast<const char*>(data), size);
    std::vector<Contact> expected;
    bool isDataFile = ExpectedRecords(data, size, expected);
    if (!isDataFile) {
        FUZZ_CHECK(result == LoadResult::NotDataFile);
        FUZZ_CHECK(book.list.Count() == 0);
        return 0;
    }
    FUZZ_CHECK(result == LoadResult::Loaded);
    FUZZ_CHECK(!book.list.Changed());
    FUZZ_CHECK(book.status.Part(1) == std::to_string(book.list.Count()));
    CheckSameRecords(book.list, expected);
    for (int i = 0; i < book.list.Count(); ++i) FUZZ_CHECK(WellFormed(*book.list.ContactAt(i)));

    // Save, load again, save again.
    std::string first = DataText(book.list);
    FuzzBook again;
    FUZZ_CHECK(LoadContactText(again.list, first.data(), first.size()) == LoadResult::Loaded);
    CheckSameRecords(again.list, expected);
    FUZZ_CHECK(DataText(again.list) == first);

    std::uint32_t hash = InputHash(data, size);
    if (hash % 256 == 0) CheckWriteDataFile(book.list, first);
    if (book.list.Count() > 0 && hash % 64 == 1) CheckLongSort(book.list, hash);
    return 0;
}
