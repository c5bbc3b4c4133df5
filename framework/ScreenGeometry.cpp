#include "framework/ScreenGeometry.h"

#include <climits>

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

ScreenRect WorkspaceToScreen(const ScreenRect& place, const ScreenRect& monitor, const ScreenRect& workArea) {
    long long dx = static_cast<long long>(workArea.Left) - monitor.Left;
    long long dy = static_cast<long long>(workArea.Top) - monitor.Top;
    // A stored place may hold any numbers: kept within range, still far off.
    auto moved = [](int value, long long by) {
        long long v = value + by;
        return static_cast<int>(v < INT_MIN ? INT_MIN : v > INT_MAX ? INT_MAX : v);
    };
    return {moved(place.Left, dx), moved(place.Top, dy), moved(place.Right, dx), moved(place.Bottom, dy)};
}

ScreenPoint KeyboardMenuPoint(const ScreenRect* item, const ScreenRect& client) {
    if (!item) return {client.Left, client.Top};
    int x = AtLeast(AtMost(item->Left, client.Right - 1), client.Left);
    int y = AtLeast(AtMost(item->Bottom, client.Bottom - 1), client.Top);
    return {x, y};
}
