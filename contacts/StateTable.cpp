#include "contacts/StateTable.h"

#include <cstring>

const char* const StateTable[kStateCount] = {
    "AL Alabama",        "AK Alaska",       "AZ Arizona",
    "AR Arkansas",       "CA California",   "CO Colorado",
    "CT Connecticut",    "DE Delaware",     "DC District of Columbia",
    "FL Florida",        "GA Georgia",      "HI Hawaii",
    "ID Idaho",          "IL Illinois",     "IN Indiana",
    "IA Iowa",           "KS Kansas",       "KY Kentucky",
    "LA Louisiana",      "ME Maine",        "MD Maryland",
    "MA Massachusetts",  "MI Michigan",     "MN Minnesota",
    "MS Mississippi",    "MO Missouri",     "MT Montana",
    "NE Nebraska",       "NV Nevada",       "NH New Hampshire",
    "NJ New Jersey",     "NM New Mexico",   "NY New York",
    "NC North Carolina", "ND North Dakota", "OH Ohio",
    "OK Oklahoma",       "OR Oregon",       "PA Pennsylvania",
    "PR Puerto Rico",    "RI Rhode Island", "SC South Carolina",
    "SD South Dakota",   "TN Tennessee",    "TX Texas",
    "UT Utah",           "VT Vermont",      "VI Virgin Islands",
    "VA Virginia",       "WA Washington",   "WV West Virginia",
    "WI Wisconsin",      "WY Wyoming",
};

namespace {

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

int FindStateEntry(const char* code) {
    if (!code || std::strlen(code) != static_cast<std::size_t>(kStateCodeLength)) return -1;
    for (int s = 0; s < kStateCount; ++s)
        if (Upper(code[0]) == StateTable[s][0] && Upper(code[1]) == StateTable[s][1]) return s;
    return -1;
}

void StateOfEntry(const char* entry, char* state, std::size_t size) {
    if (size == 0) return;
    std::size_t length = entry ? std::strlen(entry) : 0;
    if (length > static_cast<std::size_t>(kStateCodeLength)) length = kStateCodeLength;
    if (length > size - 1) length = size - 1;
    if (length) std::memcpy(state, entry, length);
    state[length] = '\0';
}
