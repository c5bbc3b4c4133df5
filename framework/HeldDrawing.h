#pragma once
// Holds the drawing of a control for a scope and draws it once at the end,
// header and other child windows included.  The control is told that drawing
// is off (WM_SETREDRAW), so it keeps its state without painting; afterwards
// the whole window, frame and children, is invalidated and painted at once,
// the redraw that the WM_SETREDRAW page asks for.  A window that is hidden is
// left alone.  Only for changes made in one go: nothing may show over the
// window meanwhile.

#include <windows.h>

class HeldDrawing {
public:
    explicit HeldDrawing(HWND hwnd) : hwnd_(IsWindowVisible(hwnd) ? hwnd : nullptr) {
        if (hwnd_) SendMessageA(hwnd_, WM_SETREDRAW, FALSE, 0);
    }
    ~HeldDrawing() {
        if (!hwnd_) return;
        Resume();
        RedrawWindow(hwnd_, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
    // Turns the control's drawing on again before the end of the scope, which
    // still draws it once.  A list view keeps its scroll range only while it
    // draws, so scrolling to an item added under the hold comes after this.
    void Resume() {
        if (hwnd_ && !resumed_) SendMessageA(hwnd_, WM_SETREDRAW, TRUE, 0);
        resumed_ = true;
    }
    HeldDrawing(const HeldDrawing&) = delete;
    HeldDrawing& operator=(const HeldDrawing&) = delete;

private:
    HWND hwnd_;
    bool resumed_ = false;
};
