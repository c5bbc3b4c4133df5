#pragma once
// Records made to stress the data file: commas, double quotes, blanks, empty
// fields, fields at full width and fields of nothing but quotes.

#include "contacts/Contact.h"

#include <cstdint>
#include <random>
#include <vector>

Contact MakeContact(const char* first, const char* last, const char* number = "", int toll = 0);

// A record whose fields are drawn from the awkward cases, repeatably from `rng`.
Contact RandomContact(std::mt19937& rng);

// Every field at full width of double quotes: the longest line the writer makes.
Contact AllQuotesContact();
