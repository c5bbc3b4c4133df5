// A header sort makes keys once and deals the records by them; the order must
// be exactly a stable sort by the list's own comparison, for every column
// and both directions, ties keeping the order they had.

#include "contacts/ColumnSort.h"
#include "contacts/ContactList.h"
#include "contacts/TextCompare.h"
#include "support/MemoryListControl.h"

#include "RandomContacts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

// Texts the cheap key treats apart from the locale: case, accents, hyphens,
// apostrophes, blanks, digits and signs, texts at full width, empty texts.
Contact AwkwardContact(std::mt19937& rng, int serial) {
    static const char* texts[] = {
        "Ren\xe9"
        "e",
        "Renee",
        "RENEE",
        "No\xebl",
        "Noel",
        "Marie-Eve",
        "MarieEve",
        "Marie Eve",
        "O'Brien",
        "OBrien",
        "",
        "123",
        "12-3",
        "a@b.ca",
        "a1@b.ca",
        "a_b@c.ca",
        "St-Jean",
        "Saint Jean",
        "\xc9milie",
        "Emilie",
        "Ann",
        "Anna",
        "819-555-0100",
        "(819) 555-0100",
        "Hull",
        "hull",
        "Zo\xeb",
        "zoe",
        "Annabel",
        "AnnLee",
        "annlee",
        "Chad",
        "Cid",
        "Aaron",
        "Abe",
        "Lloyd",
        "Lima"};
    Contact c = RandomContact(rng);
    for (int f = 0; f < kContactFieldCount; ++f) {
        if (rng() % 3 == 0) continue;  // keep the random text
        std::string text = texts[rng() % (sizeof texts / sizeof *texts)];
        if (rng() % 5 == 0) text += texts[rng() % (sizeof texts / sizeof *texts)];
        SetField(ContactField(c, f), kContactFieldWidths[f], text.c_str());
    }
    c.TollCall = serial;  // tells records with equal texts apart
    return c;
}

TEST(ColumnSort, HeaderSortsGiveTheStableOrderOfTheListsComparison) {
    for (unsigned seed : {1u, 2u}) {
        std::mt19937 rng(seed);
        MemoryListControl control;
        MemoryStatusText status;
        ContactList list(control, status);
        // Long enough for the sort to trust the keys of texts of letters alone.
        const int count = seed == 1 ? 5000 : 700;
        for (int i = 0; i < count; ++i) list.AppendContact(std::make_unique<Contact>(AwkwardContact(rng, i)));
        list.SetAllSortAscending(true);
        list.SetChanged(false);
        control.Select(count / 2);
        const Contact* selected = list.ContactAt(count / 2);
        // Every column up and down, each sort starting from the last one's
        // order, so that ties have an order of their own to keep.
        for (int round = 0; round < 2; ++round) {
            for (int column = 0; column < kColumnCount; ++column) {
                SCOPED_TRACE("seed " + std::to_string(seed) + " column " + std::to_string(column) + " round " +
                             std::to_string(round));
                std::vector<const Contact*> expected;
                for (int i = 0; i < list.Count(); ++i) expected.push_back(list.ContactAt(i));
                std::stable_sort(expected.begin(), expected.end(), [&](const Contact* a, const Contact* b) {
                    return list.CompareContacts(a, b, column) < 0;
                });
                list.SortByHeader(column);
                for (int i = 0; i < list.Count(); ++i) {
                    ASSERT_EQ(list.ContactAt(i), expected[static_cast<std::size_t>(i)]) << i;
                    ASSERT_EQ(control.ItemAt(i).Text, list.ContactAt(i)->FirstName);
                }
                EXPECT_EQ(list.ContactAt(control.SelectedItem()), selected);
            }
        }
        EXPECT_FALSE(list.Changed());  // a sort only reorders
    }
}

TEST(ColumnSort, KeysLongerThanKeptAreToldApartWhole) {
    // Texts alike in their first thirty characters and more.
    std::vector<Contact> contacts;
    const char* tails[] = {"b", "A", "a", "", "B", "a-", "'a"};
    for (int i = 0; i < 40; ++i) {
        std::string text(45, 'x');
        text += tails[i % 7];
        Contact c = MakeContact("", "");
        SetField(c.Address, sizeof c.Address, text.c_str());
        SetField(c.FirstName, sizeof c.FirstName, std::string(22, 'q').c_str());
        SetField(c.LastName, sizeof c.LastName, (std::string(17, 'q') + tails[(i * 3) % 7]).c_str());
        c.TollCall = i;
        contacts.push_back(c);
    }
    for (int column : {0, 3}) {
        for (bool ascending : {true, false}) {
            std::vector<const Contact*> records;
            for (const Contact& c : contacts) records.push_back(&c);
            SortText by = ColumnSortText(column, ascending);
            std::vector<std::uint32_t> order = StableOrder(records, by);
            std::vector<const Contact*> expected = records;
            std::stable_sort(expected.begin(), expected.end(),
                             [&](const Contact* a, const Contact* b) { return CompareSortText(*a, *b, by) < 0; });
            for (std::size_t i = 0; i < order.size(); ++i) EXPECT_EQ(records[order[i]], expected[i]) << i;
        }
    }
}

}  // namespace

// Only the Windows build asks the locale; the portable compare is plain by
// construction, so the case is built where the answer is the locale's.
#ifdef _WIN32
TEST(ColumnSort, TheLocaleHereSortsLettersAndBlanksPlainly) {
    // Where it does not, the sorts ask the locale for every pair instead, and
    // large books sort slowly: the test machines' locale must not be one.
    EXPECT_TRUE(CompareNoCaseIsPlainOnPlainText());
}
#endif
