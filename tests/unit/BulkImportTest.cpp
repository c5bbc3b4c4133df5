// An import places its entries in one go.  The result must be exactly what
// adding them one at a time gives, in whatever order the list stands: after a
// load, after name sorts either way, after another column's sort, or in no
// order at all; and it must keep the selected record selected.

#include "contacts/BulkPlacement.h"
#include "contacts/ContactList.h"
#include "contacts/DataFile.h"
#include "contacts/Import.h"
#include "support/MemoryListControl.h"

#include "RandomContacts.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

// First names that repeat, differ in case only, or begin with one another
// (Ann, Anna, Ann-Marie): a load's name order is then not the order of the
// first names alone.
const char* const kFirsts[] = {"Ann",
                               "ann",
                               "ANN",
                               "Anna",
                               "Anne",
                               "Ann-Marie",
                               "Ann Lee",
                               "Jean",
                               "jean",
                               "Jean-Pierre",
                               "Jo",
                               "Joe",
                               "Jo Ellen",
                               "Ren\xe9"
                               "e",
                               "Renee",
                               "Zo\xeb",
                               "",
                               "O'Brien",
                               "OBrien",
                               "Bob"};
const char* const kLasts[] = {"Bell", "Lee", "", "Adams", "Zane", "O'Neil", "St-Pierre", "de la Cruz"};
const char* const kCities[] = {"Hull", "hull", "Aylmer", "", "Gatineau", "St-Jean", "Saint Jean"};

template <std::size_t N>
const char* Pick(std::mt19937& rng, const char* const (&from)[N]) {
    return from[rng() % N];
}

// A data file of `count` records; every record is told apart by its number.
std::string BookText(std::mt19937& rng, int count, const char* tag) {
    std::string text = "; Data for Telvara.exe\r\n; V300\r\n";
    for (int i = 0; i < count; ++i) {
        Contact c = MakeContact(Pick(rng, kFirsts), Pick(rng, kLasts), (tag + std::to_string(i)).c_str());
        SetField(c.City, sizeof c.City, Pick(rng, kCities));
        char line[kMaxRecordLine + 1];
        FormatRecordLine(c, line, sizeof line);
        text += line;
    }
    return text;
}

std::string OldFileText(std::mt19937& rng, int count) {
    std::string text = "; Data for Telvara\r\n";
    for (int i = 0; i < count; ++i) text += std::string(Pick(rng, kFirsts)) + "\tnew" + std::to_string(i) + "\r\n";
    return text;
}

struct Book {
    MemoryListControl control;
    MemoryStatusText status;
    ContactList list{control, status};

    // Each record as its number, in list order, and the selected one's.
    std::vector<std::string> Numbers() const {
        std::vector<std::string> out;
        for (int i = 0; i < list.Count(); ++i) out.push_back(list.ContactAt(i)->Number);
        return out;
    }
    std::string Selected() const {
        int s = control.SelectedItem();
        return s < 0 ? "(none)" : list.ContactAt(s)->Number;
    }
};

// The same entries added one at a time by the insertion rule.
void AddOneAtATime(ContactList& list, const std::string& oldFile) {
    std::size_t at = oldFile.find('\n') + 1;
    while (at < oldFile.size()) {
        std::size_t end = oldFile.find('\n', at);
        std::string line = oldFile.substr(at, end - at - 1);  // without CR LF
        at = end + 1;
        std::unique_ptr<Contact> c(new Contact);
        MapImportLine(line.c_str(), *c);
        ASSERT_GE(list.AddContact(std::move(c)), 0);
    }
}

enum class Before { Load, NameDescending, NameAscending, City, NoOrder, Empty };

void Prepare(Book& book, const std::string& bookText, Before before, unsigned seed) {
    if (before == Before::Empty) return;
    if (before == Before::NoOrder) {
        // Items as a control without the sorted order would hold them.
        Book loaded;
        ASSERT_EQ(LoadContactText(loaded.list, bookText.data(), bookText.size()), LoadResult::Loaded);
        std::mt19937 rng(seed);
        std::vector<Contact> shuffled;
        for (int i = 0; i < loaded.list.Count(); ++i) shuffled.push_back(*loaded.list.ContactAt(i));
        std::shuffle(shuffled.begin(), shuffled.end(), rng);
        for (const Contact& c : shuffled) book.list.AppendContact(std::make_unique<Contact>(c));
        return;
    }
    ASSERT_EQ(LoadContactText(book.list, bookText.data(), bookText.size()), LoadResult::Loaded);
    if (before == Before::NameDescending || before == Before::NameAscending) book.list.SortByHeader(0);
    if (before == Before::NameAscending) book.list.SortByHeader(0);
    if (before == Before::City) book.list.SortByHeader(4);
}

TEST(BulkImport, SameAsAddingOneAtATimeInEveryListOrder) {
    const Before orders[] = {Before::Load, Before::NameDescending, Before::NameAscending,
                             Before::City, Before::NoOrder,        Before::Empty};
    // Seed 7 makes a list long enough for the sort to answer from its keys.
    for (unsigned seed = 1; seed <= 7; ++seed) {
        for (Before before : orders) {
            SCOPED_TRACE("seed " + std::to_string(seed) + ", order " + std::to_string(static_cast<int>(before)));
            std::mt19937 rng(seed);
            const int size = seed == 1 ? 1 : seed == 7 ? 4000 : static_cast<int>(rng() % 400);
            const std::string bookText = BookText(rng, size, "old");
            const std::string oldFile = OldFileText(rng, static_cast<int>(rng() % 300) + (seed == 7 ? 1000 : 1));

            Book bulk, single;
            Prepare(bulk, bookText, before, seed);
            Prepare(single, bookText, before, seed);
            if (bulk.list.Count() > 0) {
                int selected = static_cast<int>(rng() % static_cast<unsigned>(bulk.list.Count()));
                bulk.control.Select(selected);
                single.control.Select(selected);
            }
            int added = 0;
            ASSERT_EQ(ImportOldText(bulk.list, oldFile.data(), oldFile.size(), &added), ImportResult::Imported);
            AddOneAtATime(single.list, oldFile);
            EXPECT_EQ(added, single.list.Count() - (before == Before::Empty ? 0 : size));
            EXPECT_EQ(bulk.Numbers(), single.Numbers());
            EXPECT_EQ(bulk.Selected(), single.Selected());
            for (int i = 0; i < bulk.list.Count(); ++i)
                ASSERT_EQ(bulk.control.ItemAt(i).Text, bulk.list.ContactAt(i)->FirstName) << i;
            EXPECT_TRUE(bulk.list.Changed());
            EXPECT_EQ(bulk.status.Part(1), std::to_string(bulk.list.Count()));
        }
    }
}

// Straight from the placement, on a list where the binary search meets texts
// out of order at every step: a list in descending order.  Every record has a
// number of its own, so of two equal names the right one must be in each place.
TEST(BulkImport, PlacementReplaysTheSearchOverAListOutOfOrder) {
    std::vector<Contact> present, added;
    int number = 0;
    for (const char* name : {"Zoe", "Mike", "Mike", "Bob", "Ann"})
        present.push_back(MakeContact(name, "", std::to_string(number++).c_str()));
    for (const char* name : {"Carl", "mike", "Zoe", "Al", "Carl"})
        added.push_back(MakeContact(name, "", std::to_string(number++).c_str()));

    MemoryListControl control;
    MemoryStatusText status;
    ContactList list(control, status);
    std::vector<const Contact*> p, a;
    for (Contact& c : present) {
        list.AppendContact(std::make_unique<Contact>(c));
        p.push_back(&c);
    }
    for (Contact& c : added) {
        list.AddContact(std::make_unique<Contact>(c));
        a.push_back(&c);
    }
    std::vector<std::uint32_t> order = PlaceAdded(p, a);
    ASSERT_EQ(order.size(), 10u);
    for (int i = 0; i < 10; ++i) {
        ASSERT_LT(order[i], 10u) << i;
        EXPECT_EQ(std::to_string(order[i]), list.ContactAt(i)->Number) << i;
    }
}

TEST(BulkImport, ARefusedBatchAddsNothingAndKeepsTheRecordsWithTheCaller) {
    MemoryListControl control;
    MemoryStatusText status;
    ContactList list(control, status);
    list.AddContact(std::make_unique<Contact>(MakeContact("Zed", "")));
    list.SetChanged(false);
    control.RefuseInserts(true);
    std::vector<std::unique_ptr<Contact>> entries;
    entries.push_back(std::make_unique<Contact>(MakeContact("Ann", "")));
    EXPECT_EQ(list.AddContacts(entries), 0);
    ASSERT_TRUE(entries[0]);  // still the caller's
    EXPECT_EQ(list.Count(), 1);
    EXPECT_FALSE(list.Changed());
    control.RefuseInserts(false);
    EXPECT_EQ(list.AddContacts(entries), 1);
    EXPECT_FALSE(entries[0]);
    EXPECT_STREQ(list.ContactAt(0)->FirstName, "Ann");
}

}  // namespace
