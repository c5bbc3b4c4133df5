#pragma once
// From a phone entry as the user typed it ("cell (819) 567-1234",
// 1-800-"CALL-ATT", "9,555-0199; ext 12") to the keys to dial.
//
// Keys are 0-9, * and #; "," is a pause of two seconds and "/" one of 125 ms.
// Letters between double quotes are keypad letters; everything after ";" is
// never dialled.

#include <cstddef>

struct Contact;

// Room for the longest dial string and its terminator.
constexpr std::size_t kDialStringSize = 40;

struct DialSettings {
    const char* NumberPrefix;  // dialled ahead of every number
    const char* AreaCode;      // the user's own area code
    bool TenDigitLocal;        // local numbers are dialled with the area code
};

int CountDigits(const char* text);

// The keys to dial for `entry`; empty when it holds nothing dialable.
void BuildDialString(const char* entry, const DialSettings& settings, char* out, std::size_t outSize = kDialStringSize);

// Room for the status line of the selected contact.
constexpr std::size_t kStatusLineSize = 160;

// " First Last    Number = keys    Misc = keys", each segment only when the
// entry has something to dial.
void BuildStatusText(const Contact& c, const DialSettings& settings, char* out, std::size_t outSize = kStatusLineSize);
