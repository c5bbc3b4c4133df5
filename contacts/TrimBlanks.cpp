#include "contacts/TrimBlanks.h"

#include <cstring>

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
}  // namespace

void TrimBlanks(char* text) {
    if (!text || !*text) return;
    const char* start = text;
    while (IsBlank(*start)) ++start;
    std::size_t length = std::strlen(start);
    while (length > 0 && IsBlank(start[length - 1])) --length;
    std::memmove(text, start, length);
    text[length] = '\0';
}
