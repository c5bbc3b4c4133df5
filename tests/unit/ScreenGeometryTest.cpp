// Where a centred window and the keyboard's popup menu go on one monitor and
// on several: monitors left of and above the primary one have negative
// coordinates, and monitors need not touch.

#include "framework/ScreenGeometry.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

#define EXPECT_AT(x, y, point)   \
    do {                         \
        ScreenPoint p = (point); \
        EXPECT_EQ(x, p.X);       \
        EXPECT_EQ(y, p.Y);       \
    } while (0)

TEST(CentredPosition, OverTheOwnerInsideItsMonitorsWorkArea) {
    // Centred over the reference 100..700 x 80..480, the edge pixels counted.
    EXPECT_AT(100 + 601 / 2 - 101, 80 + 401 / 2 - 51,
              CentredPosition({100, 80, 700, 480}, 202, 102, {0, 0, 1024, 738}));
    // A monitor left of the primary one: over the owner, or at its left edge.
    const ScreenRect left{-1280, 0, 0, 1024};
    EXPECT_AT(-901, 249, CentredPosition({-1100, 100, -500, 500}, 202, 102, left));
    EXPECT_AT(-1280, 149, CentredPosition({-1400, 100, -1200, 300}, 202, 102, left));
    // A monitor above it, its taskbar at the bottom: over the owner, or at
    // the work area's top or bottom edge.
    const ScreenRect above{0, -1024, 1280, -40};
    EXPECT_AT(399, -751, CentredPosition({200, -900, 800, -500}, 202, 102, above));
    EXPECT_AT(399, -1024, CentredPosition({200, -1100, 800, -1000}, 202, 102, above));
    EXPECT_AT(399, -142, CentredPosition({200, -200, 800, 200}, 202, 102, above));
    // An owner reaching into the gap right of the primary monitor.
    EXPECT_AT(1024 - 302, 249, CentredPosition({700, 100, 1200, 500}, 302, 102, {0, 0, 1024, 738}));
}

// A stored place counts from the work area's corner: with a taskbar on the
// left or at the top it lies that far right of or below the same numbers on
// the screen.
TEST(WorkspaceToScreen, MovesByTheTaskbarOnTheLeftOrTop) {
    const ScreenRect monitor{0, 0, 1024, 768};
    ScreenRect r = WorkspaceToScreen({10, 20, 640, 500}, monitor, {60, 0, 1024, 768});
    EXPECT_EQ((std::vector<int>{70, 20, 700, 500}), (std::vector<int>{r.Left, r.Top, r.Right, r.Bottom}));
    r = WorkspaceToScreen({-1200, 20, -600, 500}, {-1280, 0, 0, 1024}, {-1280, 40, 0, 1024});
    EXPECT_EQ((std::vector<int>{-1200, 60, -600, 540}), (std::vector<int>{r.Left, r.Top, r.Right, r.Bottom}));
    EXPECT_EQ(INT32_MAX, WorkspaceToScreen({INT32_MAX, 0, 0, 0}, monitor, {60, 0, 1024, 768}).Left);
}

TEST(KeyboardMenuPoint, BelowTheSelectedItemOrAtTheListsCorner) {
    const ScreenRect client{0, 0, 600, 300};
    const ScreenRect item{4, 40, 500, 57}, below{-60, 400, 500, 417};
    EXPECT_AT(4, 57, KeyboardMenuPoint(&item, client));
    EXPECT_AT(0, 299, KeyboardMenuPoint(&below, client));  // scrolled out of sight
    EXPECT_AT(0, 0, KeyboardMenuPoint(nullptr, client));
}

}  // namespace
