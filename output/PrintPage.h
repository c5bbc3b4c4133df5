#pragma once
// The print page: the whole contact list as one simple HTML page for the
// browser to print.  Field text is written as stored except that "<" and ">"
// become "&lt;" and "&gt;", so that a field such as "Ann <ann@example.com>"
// is shown rather than read as markup; "&" is left alone (browsers show a
// lone ampersand as it is).

#include "contacts/Contact.h"
#include "contacts/ContactList.h"
#include "output/PageBuffer.h"

#include <cstddef>
#include <cstdint>

// The "PrintBits" and "PrintSize" settings.
struct PrintSettings {
    std::int32_t PrintBits;  // kPrintNumber | kPrintAddress | kPrintEmail | kPrintMisc
    std::int32_t PrintSize;  // 0 small, 1 medium, 2 large
};

constexpr std::int32_t kPrintNumber = 1;
constexpr std::int32_t kPrintAddress = 2;  // address, city, state and zip
constexpr std::int32_t kPrintEmail = 4;
constexpr std::int32_t kPrintMisc = 8;
constexpr std::int32_t kPrintSizeCount = 3;

constexpr std::size_t kPageStartCapacity = 64000;
constexpr std::size_t kPageGrowthStep = 32000;
constexpr std::size_t kTypicalPageRow = 128;  // bytes of a row with every column, rounded up

// The first block for a page of `rows` contacts: room for that many typical
// rows at once, in whole steps, so that a large book is not moved from block
// to block while it is built (each move copies the whole page).  A page
// larger than that still grows as usual.
std::size_t PageStartCapacity(int rows);

// "MM/DD/YY" and its terminator.
constexpr std::size_t kPageDateSize = 9;

// The font size digit of `printSize`: "1", "2", "3", or "" out of range.
const char* PrintSizeDigit(std::int32_t printSize);

// "MM/DD/YY": month, day and the year's last two digits; empty when the date
// is not a real one.
void FormatPageDate(int year, int month, int day, char (&out)[kPageDateSize]);

// One row of a contact by `printBits`, escaped, ending in "<BR>\r\n"; its
// length.  `out` must hold kMaxPageRow bytes.
constexpr std::size_t kMaxPageRow = 4 * 300 + 64;
std::size_t FormatPageRow(const Contact& c, std::int32_t printBits, char* out);

// Head (with the font line and "Last Updated: " `date`), one row per list
// item in the list's order, and the closing tags.  False when the page could
// not be built whole.
bool BuildPrintPage(PageBuffer& page, const ContactList& list, const PrintSettings& settings, const char* date);
