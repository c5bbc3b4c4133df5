#pragma once
// The states and territories a contact can be placed in: the entries of the
// state boxes of the contact dialog and of the Setup dialog.  Each entry is a
// two-letter postal code, one blank and the name; the code is what a record
// stores.  The boxes sort the entries themselves, so the order here is only
// the order in which they are added.
//
// A stored code the table does not hold (another country's, a hand-written
// one, an empty one) is never rewritten by a box the user did not touch: the
// box shows it as an extra entry of its own, holding just the code, and OK
// stores it back unchanged.

#include <cstddef>

constexpr int kStateCount = 53;
// Characters of the postal code at the start of every entry.
constexpr int kStateCodeLength = 2;

extern const char* const StateTable[kStateCount];

// The index of the entry whose code equals `code`, ignoring case; -1 when
// none does (an empty, shorter or longer code included), and the box then
// shows the code as an extra entry.
int FindStateEntry(const char* code);

// The state code of a box entry such as "TX Texas" or an extra entry "QC":
// its first two characters, or the empty text when no entry is chosen (null
// or empty).
void StateOfEntry(const char* entry, char* state, std::size_t size);
