#pragma once
// Ordering records by one of their texts exactly as the list compares texts,
// fast enough for a book of a million contacts.  The list's own comparison
// (the user's locale on Windows) costs too much to make n log n times, so
// each record gets a key once: a cheap case fold that agrees with the locale
// on ordinary text.  The records are dealt by their keys, then the order is
// checked pair by pair with the real comparison and mended where they
// disagree.  The result is always the stable order of the real comparison:
// records it finds equal keep the order they came in.

#include "contacts/Contact.h"

#include <cstdint>
#include <vector>

// What records are ordered by: one text field, or two joined without a
// separator (the name key, FirstName then LastName).
struct SortText {
    int Field;        // 0..8, in file order
    int JoinedField;  // the field that follows it in the key, or -1
    bool Ascending;
};

// The text a list column sorts by: column 0 is the name key.
SortText ColumnSortText(int column, bool ascending);

// The list's comparison of the two records' texts, in the direction asked:
// negative when a goes first.
int CompareSortText(const Contact& a, const Contact& b, const SortText& by);

// The cheap order, ascending: base letters without case and accents, hyphens
// and apostrophes passed over; texts equal in those by their full spelling.
int CompareTextFold(const Contact& a, const Contact& b, const SortText& by);

// True when the list's comparison finds the two texts equal.
bool SameSortText(const Contact& a, const Contact& b, const SortText& by);

// The stable order of the records: entry k is the place in `records` of the
// record that goes k-th.  Every record must be there (no null).  With
// `sameAsBefore`, its entry k tells whether the k-th record's text is equal,
// by the list's comparison, to the text of the one before it.
std::vector<std::uint32_t> StableOrder(const std::vector<const Contact*>& records, const SortText& by,
                                       std::vector<bool>* sameAsBefore = nullptr);
