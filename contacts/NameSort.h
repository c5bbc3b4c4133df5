#pragma once
// Putting freshly read records in name order before they go into the list.
// The list's own comparison (the user's locale on Windows) is slow enough to
// dominate the load of a large book, so the records are first ordered by a
// cheap case fold that agrees with it on ordinary names, then checked and, if
// need be, mended with the real comparison (contacts/ColumnSort.h); the result
// is always the stable order the real comparison gives.

#include "contacts/Contact.h"

#include <vector>

// The cheap order: base letters without case and accents, hyphens and
// apostrophes passed over; equal names then by their full spelling.
int CompareNameFold(const Contact& a, const Contact& b);

// Sorts by FirstName followed by LastName, ascending, as the list compares.
void SortByName(std::vector<Contact*>& records);
