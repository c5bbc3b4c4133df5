#pragma once
// The four views of the contact list, as the "Style" setting numbers them.
// Any other stored number shows large icons.

enum ViewStyle : int {
    kViewLargeIcons = 0,
    kViewSmallIcons = 1,
    kViewList = 2,
    kViewDetails = 3,  // one column per field; the only view whose widths are saved
};
