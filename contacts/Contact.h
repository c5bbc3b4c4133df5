#pragma once
// One entry of the phone book: fixed-width, NUL-terminated 8-bit text fields
// followed by two flags.  The field widths are part of the data file format
// (the reader cuts each field by them), so they must not change.

#include <cstddef>
#include <cstdint>

struct Contact {
    char FirstName[24];
    char LastName[20];
    char Number[24];
    char Address[50];
    char City[16];
    char State[3];
    char Zip[12];
    char Email[40];
    char MiscInfo[80];
    std::int32_t TollCall;  // 0 or 1
    std::int32_t IsNew;     // 1 while the contact dialog adds this record; never stored
};

// The nine text fields in file and column order.
constexpr int kContactFieldCount = 9;
extern const std::size_t kContactFieldWidths[kContactFieldCount];

// A cleared record: every text empty, both flags 0.
void ClearContact(Contact& c);

// Field `index` (0..8) of the record, in file order, and its width.
char* ContactField(Contact& c, int index);
const char* ContactField(const Contact& c, int index);

// Copies `text` into a field of `width` bytes, cut to width - 1 characters.
void SetField(char* field, std::size_t width, const char* text);
void SetField(char* field, std::size_t width, const char* text, std::size_t length);

// List image of a record: 0 ordinary, 1 toll call, 2 no number (wins over toll).
int ContactImage(const Contact& c);

bool SameContact(const Contact& a, const Contact& b);  // all text fields and TollCall
