#pragma once
// What the Setup dialog edits: the user's defaults, the dialing method and
// which of the optional list columns are shown; and the rule by which its
// "Data visible" boxes change the column widths on OK.

#include "contacts/ContactList.h"

#include <cstdint>

struct SetupValues {
    char State[3];          // state for new contacts; may be empty
    char AreaCode[5];       // the dialog takes at most 3 characters
    char NumberPrefix[12];  // at most 11
    std::int32_t TenDigitLocal;
    std::int32_t ToneDial;     // 1: dial by playing tones through the speakers
    int Widths[kColumnCount];  // the list's current column widths, in pixels at 96 DPI
};

// The columns that have a "Data visible" box, in the order of the boxes, and
// the width a column gets when its box is newly checked.
constexpr int kFirstOptionalColumn = 3;
constexpr int kOptionalColumnCount = kColumnCount - kFirstOptionalColumn;
extern const int kShownColumnWidths[kOptionalColumnCount];

// A column counts as visible when its width is greater than 0.
inline bool ColumnVisible(int width) { return width > 0; }

// Applies the boxes on OK: a box whose state differs from its opening state
// sets its column to the fixed width (checked) or 0 (unchecked); a box left
// as it was leaves the width alone, so a width the user dragged survives.
void ApplyVisibleBoxes(const bool opened[kOptionalColumnCount], const bool checked[kOptionalColumnCount],
                       int widths[kColumnCount]);
