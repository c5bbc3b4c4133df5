#pragma once
// Where windows and menus go on a desktop of one or more monitors, in plain
// rectangles: the system tells which monitor a window or a rectangle is on
// and where its work area lies; these functions only do the arithmetic.
// Rectangles are right- and bottom-exclusive, in screen coordinates, which
// may be negative left of and above the primary monitor.

struct ScreenRect {
    int Left, Top, Right, Bottom;
};

struct ScreenPoint {
    int X, Y;
};

// The top-left corner of a window `width` x `height` centred over
// `reference` (its owner's window rectangle), kept at most the window's size
// inside the reference's right and bottom edges, then inside `workArea` (the
// work area of the owner's monitor), whose left and top edges win when the
// window is larger than it.  Width and height count the edge pixels as the
// centring has always done: one more than the rectangle's difference.
ScreenPoint CentredPosition(const ScreenRect& reference, int width, int height, const ScreenRect& workArea);

// Where the popup menu opens for the keyboard form of the context menu
// message, in the list's client coordinates: below the left end of the
// selected item (`item`, null when none is selected), or at the top-left
// corner of the list's `client` area; always inside that area.
ScreenPoint KeyboardMenuPoint(const ScreenRect* item, const ScreenRect& client);
