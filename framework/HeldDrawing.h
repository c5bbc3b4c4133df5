#pragma once
// Holds all drawing of a window, its frame and scroll bars included, for a
// scope, and draws it once at the end.  A list view draws its scroll bars
// again at every change of its count and at every scroll, even while its
// own redraw is off, and under a visual style each of those drawings costs
// about as much as drawing the items; taking the window's visible state away,
// as the default handling of WM_SETREDRAW does, holds those too.  Only for
// changes made in one go: nothing may show over the window meanwhile, since a
// part uncovered then would stay blank until the end.

#include <windows.h>

class HeldDrawing {
public:
    explicit HeldDrawing(HWND hwnd) : hwnd_(IsWindowVisible(hwnd) ? hwnd : nullptr) {
        if (hwnd_) DefWindowProcA(hwnd_, WM_SETREDRAW, FALSE, 0);
    }
    ~HeldDrawing() {
        if (!hwnd_) return;
        DefWindowProcA(hwnd_, WM_SETREDRAW, TRUE, 0);
        RedrawWindow(hwnd_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
    HeldDrawing(const HeldDrawing&) = delete;
    HeldDrawing& operator=(const HeldDrawing&) = delete;

private:
    HWND hwnd_;
};
