#include "framework/ScreenGeometry.h"

namespace {

int AtMost(int value, int limit) { return value > limit ? limit : value; }
int AtLeast(int value, int limit) { return value < limit ? limit : value; }

}  // namespace

ScreenPoint CentredPosition(const ScreenRect& reference, int width, int height, const ScreenRect& workArea) {
    int left = reference.Left + (reference.Right - reference.Left + 1) / 2 - width / 2;
    int top = reference.Top + (reference.Bottom - reference.Top + 1) / 2 - height / 2;
    left = AtMost(left, reference.Right - width);
    top = AtMost(top, reference.Bottom - height);
    left = AtLeast(AtMost(left, workArea.Right - width), workArea.Left);
    top = AtLeast(AtMost(top, workArea.Bottom - height), workArea.Top);
    return {left, top};
}

ScreenPoint KeyboardMenuPoint(const ScreenRect* item, const ScreenRect& client) {
    if (!item) return {client.Left, client.Top};
    int x = AtLeast(AtMost(item->Left, client.Right - 1), client.Left);
    int y = AtLeast(AtMost(item->Bottom, client.Bottom - 1), client.Top);
    return {x, y};
}
