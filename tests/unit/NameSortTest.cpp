// Loading sorts records by a cheap order and mends it with the list's own
// comparison: the result must be exactly the list's order.

#include "contacts/NameSort.h"
#include "contacts/TextCompare.h"

#include "RandomContacts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

// Names with the marks that the cheap order treats apart: case, accents,
// hyphens, apostrophes, blanks, full stops, digits.
std::vector<Contact> AwkwardNames(std::size_t count, unsigned seed) {
    static const char* firsts[] = {
        "Ren\xe9"
        "e",
        "Renee",
        "renee",
        "Ren\xc9"
        "E",
        "No\xebl",
        "Noel",
        "Marie-Eve",
        "MarieEve",
        "Marie Eve",
        "Jo Ellen",
        "JoEllen",
        "O'Brien",
        "OBrien",
        "Dr. Paul",
        "Paul",
        "",
        "123",
        "Zo\xeb",
        "Zoe",
        "\xc9milie",
        "Emilie",
        "Fr\xe9"
        "d\xe9ric",
        "Frederic",
        "Anna",
        "Ann",
        "ann",
        "Ann-Lee",
        "Annlee"};
    static const char* lasts[] = {"Bell",      "Lee",       "",       "O'Neil",  "ONeil",      "St-Pierre",
                                  "St Pierre", "M\xfcller", "Muller", "Mueller", "de la Cruz", "Dela Cruz"};
    std::mt19937 rng(seed);
    std::vector<Contact> out;
    for (std::size_t i = 0; i < count; ++i)
        out.push_back(MakeContact(firsts[rng() % (sizeof firsts / sizeof *firsts)],
                                  lasts[rng() % (sizeof lasts / sizeof *lasts)]));
    return out;
}

bool InListOrder(const std::vector<Contact*>& records) {
    for (std::size_t i = 1; i < records.size(); ++i)
        if (CompareNoCaseJoined(records[i - 1]->FirstName, records[i - 1]->LastName, records[i]->FirstName,
                                records[i]->LastName) > 0)
            return false;
    return true;
}

TEST(NameSort, GivesTheListsOwnOrder) {
    for (unsigned seed : {1u, 2u, 3u}) {
        std::vector<Contact> contacts = AwkwardNames(3000, seed);
        std::vector<Contact*> records;
        for (Contact& c : contacts) records.push_back(&c);
        SortByName(records);
        EXPECT_TRUE(InListOrder(records)) << seed;
        EXPECT_EQ(contacts.size(), records.size());
        std::vector<Contact*> sortedPointers = records;
        std::sort(sortedPointers.begin(), sortedPointers.end());
        EXPECT_TRUE(std::adjacent_find(sortedPointers.begin(), sortedPointers.end()) == sortedPointers.end());
    }
}

TEST(NameSort, RandomRecordsAndEmptyInput) {
    std::vector<Contact*> none;
    SortByName(none);
    EXPECT_TRUE(none.empty());
    std::mt19937 rng(9);
    std::vector<Contact> contacts;
    for (int i = 0; i < 2000; ++i) contacts.push_back(RandomContact(rng));
    std::vector<Contact*> records;
    for (Contact& c : contacts) records.push_back(&c);
    SortByName(records);
    EXPECT_TRUE(InListOrder(records));
}

TEST(NameSort, CheapOrderSeesBaseLetters) {
    Contact renee = MakeContact(
                "Ren\xe9"
                "e",
                ""),
            renfrew = MakeContact("Renfrew", "");
    EXPECT_LT(CompareNameFold(renee, renfrew), 0);  // e with an accent is still an e
    Contact obrien = MakeContact("O'Brien", ""), oakley = MakeContact("Oakley", "");
    EXPECT_GT(CompareNameFold(obrien, oakley), 0);  // the apostrophe is passed over
    Contact plain = MakeContact("Renee", "");
    EXPECT_LT(CompareNameFold(plain, renee), 0);  // equal letters: the plain one first
}

}  // namespace
