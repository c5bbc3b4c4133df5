#include "RandomContacts.h"

#include <cstring>
#include <string>

Contact MakeContact(const char* first, const char* last, const char* number, int toll) {
    Contact c;
    ClearContact(c);
    SetField(c.FirstName, sizeof c.FirstName, first);
    SetField(c.LastName, sizeof c.LastName, last);
    SetField(c.Number, sizeof c.Number, number);
    c.TollCall = toll;
    return c;
}

Contact RandomContact(std::mt19937& rng) {
    static const char kAlphabet[] = "abcXYZ019 ,\"-;.\t'";
    Contact c;
    ClearContact(c);
    for (int f = 0; f < kContactFieldCount; ++f) {
        std::size_t width = kContactFieldWidths[f];
        std::string text;
        switch (rng() % 6) {
            case 0: break;                               // empty
            case 1: text.assign(width - 1, '"'); break;  // all quotes, full width
            case 2: text.assign(width - 1, 'w'); break;  // full width
            case 3: text = " lead and trail "; break;    // blanks kept as they are
            default: {
                std::size_t n = rng() % width;
                for (std::size_t i = 0; i < n; ++i) {
                    char ch = kAlphabet[rng() % (sizeof kAlphabet - 1)];
                    if (ch == '\t') ch = ' ';  // tabs are expanded on reading
                    text.push_back(ch);
                }
            }
        }
        SetField(ContactField(c, f), width, text.c_str());
    }
    c.TollCall = static_cast<int>(rng() % 2);
    return c;
}

Contact AllQuotesContact() {
    Contact c;
    ClearContact(c);
    for (int f = 0; f < kContactFieldCount; ++f) {
        std::string text(kContactFieldWidths[f] - 1, '"');
        SetField(ContactField(c, f), kContactFieldWidths[f], text.c_str());
    }
    c.TollCall = 1;
    return c;
}
