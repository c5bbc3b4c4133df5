// Where a centred window and the keyboard's popup menu go on one monitor and
// on several: monitors left of and above the primary one have negative
// coordinates, and monitors need not touch.

#include "framework/ScreenGeometry.h"

#include <gtest/gtest.h>

namespace {

void ExpectAt(ScreenPoint expected, ScreenPoint actual) {
    EXPECT_EQ(expected.X, actual.X);
    EXPECT_EQ(expected.Y, actual.Y);
}

TEST(CentredPosition, OverTheOwnerInsideItsMonitorsWorkArea) {
    const ScreenRect primary{0, 0, 1024, 738};
    // Centred: reference 100..700 x 80..480, the edge pixels counted.
    ExpectAt({100 + 601 / 2 - 101, 80 + 401 / 2 - 51}, CentredPosition({100, 80, 700, 480}, 202, 102, primary));

    // A monitor left of the primary one: the window stays over its owner.
    const ScreenRect left{-1280, 0, 0, 1024};
    ExpectAt({-1100 + 300 - 101, 249}, CentredPosition({-1100, 100, -500, 500}, 202, 102, left));
    // An owner over that monitor's left edge: the window stops at the edge.
    ExpectAt({-1280, 100 + 100 - 51}, CentredPosition({-1400, 100, -1200, 300}, 202, 102, left));

    // A monitor above the primary one, its taskbar at the bottom.
    const ScreenRect above{0, -1024, 1280, -40};
    ExpectAt({200 + 300 - 101, -900 + 200 - 51}, CentredPosition({200, -900, 800, -500}, 202, 102, above));
    ExpectAt({399, -1024}, CentredPosition({200, -1100, 800, -1000}, 202, 102, above));   // over its top edge
    ExpectAt({399, -40 - 102}, CentredPosition({200, -200, 800, 200}, 202, 102, above));  // over its taskbar

    // An owner reaching into the gap right of the primary monitor: the window
    // stays on the monitor.
    ExpectAt({1024 - 302, 100 + 200 - 51}, CentredPosition({700, 100, 1200, 500}, 302, 102, primary));

    // Larger than the work area: its top-left corner stays inside.
    ExpectAt({0, 0}, CentredPosition({0, 0, 800, 600}, 1000, 700, {0, 0, 800, 600}));
    ExpectAt({-1280, -1024}, CentredPosition({-1280, -1024, -480, -424}, 1000, 700, {-1280, -1024, -480, -424}));
}

TEST(KeyboardMenuPoint, BelowTheSelectedItemOrAtTheListsCorner) {
    const ScreenRect client{0, 0, 600, 300};
    const ScreenRect item{4, 40, 500, 57};
    ExpectAt({4, 57}, KeyboardMenuPoint(&item, client));
    ExpectAt({0, 0}, KeyboardMenuPoint(nullptr, client));
    // An item scrolled out of sight: the nearest point of the list.
    const ScreenRect below{-60, 400, 500, 417};
    ExpectAt({0, 299}, KeyboardMenuPoint(&below, client));
    const ScreenRect beyond{700, -40, 900, -23};
    ExpectAt({599, 0}, KeyboardMenuPoint(&beyond, client));
}

}  // namespace
