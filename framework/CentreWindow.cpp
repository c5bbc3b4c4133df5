#include "framework/CentreWindow.h"

#include "framework/ScreenGeometry.h"

namespace {

ScreenRect ToScreenRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// The work area of the owner's monitor, or of the primary monitor for a
// window without an owner: the primary monitor contains the origin (0, 0)
// ("The Virtual Screen" page).
RECT WorkAreaFor(HWND owner) {
    HMONITOR monitor = owner ? MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST)
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
    RECT ref;
    HWND owner = GetWindow(window, GW_OWNER);
    if (owner) {
        GetWindowRect(owner, &ref);
    } else {
        ref.left = 0;
        ref.top = 0;
        ref.right = GetSystemMetrics(SM_CXFULLSCREEN);
        ref.bottom = GetSystemMetrics(SM_CYFULLSCREEN);
    }
    RECT own;
    GetWindowRect(window, &own);
    int width = own.right - own.left + 1;
    int height = own.bottom - own.top + 1;
    ScreenPoint at = CentredPosition(ToScreenRect(ref), width, height, ToScreenRect(WorkAreaFor(owner)));
    // The window keeps its own size: only the reference arithmetic counts
    // the edge pixels.
    MoveWindow(window, at.X, at.Y, own.right - own.left, own.bottom - own.top, FALSE);
}
