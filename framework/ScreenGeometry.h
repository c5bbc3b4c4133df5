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
// `reference` (its owner's window rectangle, or the work area itself when
// there is no owner to centre over), kept at most the window's size
// inside the reference's right and bottom edges, then inside `workArea` (the
// work area of the owner's monitor), whose left and top edges win when the
// window is larger than it.  Width and height count the edge pixels as the
// centring has always done: one more than the rectangle's difference.
ScreenPoint CentredPosition(const ScreenRect& reference, int width, int height, const ScreenRect& workArea);

// A window's restored place as the system stores it (WINDOWPLACEMENT's
// rcNormalPosition) is in workspace coordinates, which start at the top-left
// corner of its monitor's work area; the same place in screen coordinates,
// moved by that corner's distance from the monitor's (a taskbar on the left
// or at the top).
ScreenRect WorkspaceToScreen(const ScreenRect& place, const ScreenRect& monitor, const ScreenRect& workArea);

// Where the popup menu opens for the keyboard form of the context menu
// message, in the list's client coordinates: below the left end of the
// selected item (`item`, null when none is selected), or at the top-left
// corner of the list's `client` area; always inside that area.
ScreenPoint KeyboardMenuPoint(const ScreenRect* item, const ScreenRect& client);
