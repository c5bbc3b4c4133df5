#pragma once
// What the fuzz targets share: a list over a control in memory, the data file
// text of a list, and a check that stops the run with a message.

#include "contacts/Contact.h"
#include "contacts/ContactList.h"
#include "contacts/DataFile.h"
#include "support/MemoryListControl.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

// A property that does not hold is a finding, like a crash.
#define FUZZ_CHECK(condition)                                                                  \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (0)

struct FuzzBook {
    MemoryListControl control;
    MemoryStatusText status;
    ContactList list{control, status};
};

// The text WriteDataFile writes for the list, made in memory.
inline std::string DataText(const ContactList& list) {
    std::string text;
    text.append(kDataHeader).append("\r\n").append(kDataVersion).append("\r\n");
    char line[kMaxRecordLine + 1];
    for (int i = 0; i < list.Count(); ++i) {
        std::size_t length = FormatRecordLine(*list.ContactAt(i), line, sizeof line);
        FUZZ_CHECK(length <= kMaxRecordLine);
        FUZZ_CHECK(length >= 2 && line[length - 2] == '\r' && line[length - 1] == '\n');
        FUZZ_CHECK(std::memchr(line, '\n', length - 1) == nullptr);  // one line a record
        text.append(line, length);
    }
    return text;
}

// Every text field ends within its width, and the flags are 0 or 1.
inline bool WellFormed(const Contact& c) {
    for (int f = 0; f < kContactFieldCount; ++f)
        if (!std::memchr(ContactField(c, f), '\0', kContactFieldWidths[f])) return false;
    return (c.TollCall == 0 || c.TollCall == 1) && c.IsNew == 0;
}

// A cheap hash of the input, to run the costlier checks on some inputs only
// (the same ones every time).
inline std::uint32_t InputHash(const std::uint8_t* data, std::size_t size) {
    std::uint32_t h = 2166136261u;
    for (std::size_t i = 0; i < size; ++i) h = (h ^ data[i]) * 16777619u;
    return h;
}

inline bool ContainsTab(const Contact& c) {
    for (int f = 0; f < kContactFieldCount; ++f)
        if (std::strchr(ContactField(c, f), '\t')) return true;
    return false;
}
