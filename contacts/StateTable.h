#pragma once
// The states offered by the state boxes of the contact and setup dialogs:
// each a two-letter postal code, one blank and the name, in the order they
// are added (the boxes sort them themselves).

extern const char* const kStateTable[];
constexpr int kStateCount = 53;
