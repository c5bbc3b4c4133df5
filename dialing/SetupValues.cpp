#include "dialing/SetupValues.h"

#include <cstring>

const int kShownColumnWidths[kOptionalColumnCount] = {156, 100, 34, 54, 140, 140};

void ApplyVisibleBoxes(const bool opened[kOptionalColumnCount], const bool checked[kOptionalColumnCount],
                       int widths[kColumnCount]) {
    for (int b = 0; b < kOptionalColumnCount; ++b) {
        if (checked[b] == opened[b]) continue;
        widths[kFirstOptionalColumn + b] = checked[b] ? kShownColumnWidths[b] : 0;
    }
}

void StateOfEntry(const char* entry, char* state, std::size_t size) {
    if (size == 0) return;
    std::size_t length = entry ? std::strlen(entry) : 0;
    if (length > 2) length = 2;
    if (length > size - 1) length = size - 1;
    if (length) std::memcpy(state, entry, length);
    state[length] = '\0';
}
