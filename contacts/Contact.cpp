#include "contacts/Contact.h"

#include <cstring>

const std::size_t kContactFieldWidths[kContactFieldCount] = {24, 20, 24, 50, 16, 3, 12, 40, 80};

void ClearContact(Contact& c) { std::memset(&c, 0, sizeof c); }

char* ContactField(Contact& c, int index) {
    switch (index) {
        case 0: return c.FirstName;
        case 1: return c.LastName;
        case 2: return c.Number;
        case 3: return c.Address;
        case 4: return c.City;
        case 5: return c.State;
        case 6: return c.Zip;
        case 7: return c.Email;
        case 8: return c.MiscInfo;
        default: return nullptr;
    }
}

const char* ContactField(const Contact& c, int index) { return ContactField(const_cast<Contact&>(c), index); }

void SetField(char* field, std::size_t width, const char* text, std::size_t length) {
    if (width == 0) return;
    if (length > width - 1) length = width - 1;
    if (length) std::memcpy(field, text, length);
    field[length] = '\0';
}

void SetField(char* field, std::size_t width, const char* text) {
    SetField(field, width, text, text ? std::strlen(text) : 0);
}

int ContactImage(const Contact& c) {
    if (c.Number[0] == '\0') return 2;
    return c.TollCall ? 1 : 0;
}

bool SameContact(const Contact& a, const Contact& b) {
    for (int i = 0; i < kContactFieldCount; ++i)
        if (std::strcmp(ContactField(a, i), ContactField(b, i)) != 0) return false;
    return a.TollCall == b.TollCall;
}
