#include "framework/CentreWindow.h"

#include "framework/ScreenGeometry.h"

namespace {

ScreenRect ToScreenRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// The work area of the owner's monitor (for a minimised owner, the one it
// was on before, MonitorFromWindow page), or of the primary monitor for a
// window without an owner or an owner on no monitor: the primary monitor
// holds the origin (0, 0) ("The Virtual Screen" page).
RECT WorkAreaFor(HWND owner) {
    HMONITOR monitor = owner ? MonitorFromWindow(owner, MONITOR_DEFAULTTOPRIMARY)
                             : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (!monitor || !GetMonitorInfoA(monitor, &info)) {
        RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        return screen;
    }
    return info.rcWork;
}

}  // namespace

void CentreWindow(HWND window) {
    HWND owner = GetWindow(window, GW_OWNER);
    RECT work = WorkAreaFor(owner);
    // A minimised owner's window rectangle is its icon's, or far off every
    // screen: the window goes in the middle of the work area instead, as it
    // does without an owner.
    RECT ref = work;
    if (owner && !IsIconic(owner)) GetWindowRect(owner, &ref);
    RECT own;
    GetWindowRect(window, &own);
    int width = own.right - own.left + 1;
    int height = own.bottom - own.top + 1;
    ScreenPoint at = CentredPosition(ToScreenRect(ref), width, height, ToScreenRect(work));
    // The window keeps its own size: only the reference arithmetic counts
    // the edge pixels.
    MoveWindow(window, at.X, at.Y, own.right - own.left, own.bottom - own.top, FALSE);
}
