// The list that owns the records: insertion order, sorting and its direction
// flags, replacement and removal, and the two status parts it keeps.

#include "contacts/ContactList.h"
#include "support/MemoryListControl.h"

#include "RandomContacts.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

std::unique_ptr<Contact> New(const char* first, const char* last = "", const char* number = "555", int toll = 0) {
    return std::unique_ptr<Contact>(new Contact(MakeContact(first, last, number, toll)));
}

struct ListFixture : ::testing::Test {
    MemoryListControl control;
    MemoryStatusText status;
    ContactList list{control, status};

    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (int i = 0; i < list.Count(); ++i)
            names.push_back(std::string(list.ContactAt(i)->FirstName) + " " + list.ContactAt(i)->LastName);
        return names;
    }
    std::vector<std::string> Column(int column) const {
        std::vector<std::string> values;
        for (int i = 0; i < list.Count(); ++i) values.push_back(ContactField(*list.ContactAt(i), column));
        return values;
    }
};

using ContactListAdd = ListFixture;
using ContactListSort = ListFixture;
using ContactListChange = ListFixture;

TEST_F(ContactListAdd, PlacesByFirstNameIgnoringCaseAndSetsChanged) {
    EXPECT_FALSE(list.Changed());
    EXPECT_EQ(0, list.AddContact(New("mike")));
    EXPECT_EQ(0, list.AddContact(New("Alice")));
    EXPECT_EQ(2, list.AddContact(New("zoe")));
    EXPECT_EQ(2, list.AddContact(New("MIKE", "Second")));  // after the equal name
    EXPECT_TRUE(list.Changed());
    EXPECT_EQ((std::vector<std::string>{"Alice ", "mike ", "MIKE Second", "zoe "}), Names());
    EXPECT_EQ("mike", control.ItemAt(1).Text);  // the item text is the first name
}

TEST_F(ContactListAdd, ImageMarksTollCallsAndMissingNumbers) {
    list.AddContact(New("a", "", "555-1234", 0));
    list.AddContact(New("b", "", "555-1234", 1));
    list.AddContact(New("c", "", "", 1));  // no number wins over toll
    list.AddContact(New("d", "", "", 0));
    EXPECT_EQ(0, control.ItemAt(0).Image);
    EXPECT_EQ(1, control.ItemAt(1).Image);
    EXPECT_EQ(2, control.ItemAt(2).Image);
    EXPECT_EQ(2, control.ItemAt(3).Image);
}

TEST_F(ContactListAdd, RefusedItemStaysWithTheCaller) {
    control.RefuseInserts(true);
    std::unique_ptr<Contact> c = New("Ann");
    EXPECT_LT(list.AddContact(std::move(c)), 0);
    EXPECT_EQ(0, list.Count());
    EXPECT_FALSE(list.Changed());
    EXPECT_EQ(nullptr, list.ContactAt(0));
    EXPECT_EQ(nullptr, list.ContactAt(-1));
}

TEST_F(ContactListSort, NameKeyJoinsFirstAndLastWithoutSeparator) {
    list.SetAllSortAscending(true);
    Contact annaBell = MakeContact("Anna", "Bell"), annLee = MakeContact("Ann", "Lee");
    EXPECT_LT(list.CompareContacts(&annaBell, &annLee, 0), 0);  // AnnaBell < AnnLee
    Contact lower = MakeContact("anna", "bell");
    EXPECT_EQ(0, list.CompareContacts(&annaBell, &lower, 0));
    EXPECT_EQ(0, list.CompareContacts(&annaBell, nullptr, 0));
    EXPECT_EQ(0, list.CompareContacts(&annaBell, &annLee, 9));
    list.SetSortAscending(0, false);
    EXPECT_GT(list.CompareContacts(&annaBell, &annLee, 0), 0);
}

TEST_F(ContactListSort, FullWidthNamesCompareWhole) {
    list.SetAllSortAscending(true);
    std::string first(23, 'f'), last1(18, 'l'), last2(18, 'l');
    last1 += 'a';
    last2 += 'b';
    Contact a = MakeContact(first.c_str(), last1.c_str()), b = MakeContact(first.c_str(), last2.c_str());
    EXPECT_EQ(23u, std::strlen(a.FirstName));
    EXPECT_EQ(19u, std::strlen(a.LastName));
    EXPECT_LT(list.CompareContacts(&a, &b, 0), 0);  // decided by the 42nd character
}

TEST_F(ContactListSort, HeaderClicksFlipOnlyTheirOwnColumn) {
    list.AddContact(New("Bob", "", "1"));
    list.AddContact(New("Ann", "", "3"));
    list.AddContact(New("Cid", "", "2"));
    for (int i = 0; i < list.Count(); ++i) SetField(list.ContactAt(i)->City, 16, list.ContactAt(i)->Number);
    // After a load every column sorts ascending first, except the name.
    list.SetAllSortAscending(true);
    list.SetSortAscending(0, false);
    list.SetChanged(false);

    list.SortByHeader(4);
    EXPECT_EQ((std::vector<std::string>{"1", "2", "3"}), Column(4));
    list.SortByHeader(4);
    EXPECT_EQ((std::vector<std::string>{"3", "2", "1"}), Column(4));
    EXPECT_FALSE(list.SortAscending(0));  // untouched by the city clicks
    list.SortByHeader(0);
    EXPECT_EQ((std::vector<std::string>{"Cid", "Bob", "Ann"}), Column(0));
    EXPECT_FALSE(list.Changed());  // sorting is no change of the data

    // A new list: the first click on any header sorts descending.
    list.SetAllSortAscending(false);
    list.SortByHeader(2);
    EXPECT_EQ((std::vector<std::string>{"3", "2", "1"}), Column(2));
}

TEST_F(ContactListSort, KeepsTheSelectedRecordSelected) {
    list.AddContact(New("Bob"));
    list.AddContact(New("Ann"));
    control.Select(0);  // Ann
    list.SetAllSortAscending(false);
    list.SortContacts(0);
    ASSERT_EQ(1, list.SelectedIndex());
    EXPECT_STREQ("Ann", list.ContactAt(list.SelectedIndex())->FirstName);
}

TEST_F(ContactListChange, RemovingTheLastItemShowsZeroAndMod) {
    list.AddContact(New("Ann"));
    list.SetChanged(false);
    status.SetPartText(0, " Ann ");
    list.RemoveContact(0);
    EXPECT_EQ(0, list.Count());
    EXPECT_EQ("", status.Part(0));
    EXPECT_EQ("0", status.Part(1));
    EXPECT_EQ("Mod", status.Part(2));
    list.RemoveContact(0);  // no such item: nothing happens
    EXPECT_EQ(0, list.Count());
}

TEST_F(ContactListChange, ReplaceMovesTheEditedRecordToItsNamePlace) {
    list.AddContact(New("Bob"));
    list.AddContact(New("Cid"));
    list.AddContact(New("Zoe"));
    list.SetChanged(false);
    int index = list.ReplaceContact(2, New("Adam"));
    EXPECT_EQ(0, index);
    EXPECT_STREQ("Adam", list.ContactAt(index)->FirstName);
    EXPECT_EQ((std::vector<std::string>{"Adam", "Bob", "Cid"}), Column(0));
    EXPECT_TRUE(list.Changed());

    index = list.ReplaceContact(0, New("Dan"));
    EXPECT_EQ(2, index);
    EXPECT_EQ((std::vector<std::string>{"Bob", "Cid", "Dan"}), Column(0));
    index = list.ReplaceContact(1, New("Cid", "Again"));
    EXPECT_EQ(1, index);
    EXPECT_STREQ("Again", list.ContactAt(1)->LastName);
    EXPECT_EQ(3, list.Count());
}

TEST_F(ContactListChange, RefusedReplacementKeepsTheOldRecord) {
    list.AddContact(New("Bob", "Old"));
    list.SetChanged(false);
    control.RefuseInserts(true);
    EXPECT_LT(list.ReplaceContact(0, New("Bob", "New")), 0);
    ASSERT_EQ(1, list.Count());
    EXPECT_STREQ("Old", list.ContactAt(0)->LastName);
    EXPECT_FALSE(list.Changed());
}

TEST_F(ContactListChange, StatusCountsItemsAndShowsMod) {
    list.UpdateListStatus();
    EXPECT_EQ("0", status.Part(1));
    EXPECT_EQ("", status.Part(2));
    for (int i = 0; i < 12; ++i) list.AddContact(New("x"));
    list.UpdateListStatus();
    EXPECT_EQ("12", status.Part(1));
    EXPECT_EQ("Mod", status.Part(2));
    list.ClearContacts();  // leaves Changed to the caller
    list.UpdateListStatus();
    EXPECT_EQ("0", status.Part(1));
    EXPECT_EQ("Mod", status.Part(2));
}

}  // namespace
