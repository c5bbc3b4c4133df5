#include "dialing/SetupValues.h"

const int kShownColumnWidths[kOptionalColumnCount] = {156, 100, 34, 54, 140, 140};

void ApplyVisibleBoxes(const bool opened[kOptionalColumnCount], const bool checked[kOptionalColumnCount],
                       int widths[kColumnCount]) {
    for (int b = 0; b < kOptionalColumnCount; ++b) {
        if (checked[b] == opened[b]) continue;
        widths[kFirstOptionalColumn + b] = checked[b] ? kShownColumnWidths[b] : 0;
    }
}
