#pragma once
// The states and territories a contact can be placed in: the entries of the
// state boxes of the contact dialog and of the Setup dialog.  Each entry is a
// two-letter postal code, one blank and the name; the code is what a record
// stores.  The boxes sort the entries themselves, so the order here is only
// the order in which they are added.

constexpr int kStateCount = 53;
// Characters of the postal code at the start of every entry.
constexpr int kStateCodeLength = 2;

extern const char* const StateTable[kStateCount];
