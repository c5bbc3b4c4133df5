#include "framework/CentreWindow.h"

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
    int left = ref.left + (ref.right - ref.left + 1) / 2 - width / 2;
    int top = ref.top + (ref.bottom - ref.top + 1) / 2 - height / 2;
    if (left > ref.right - width) left = ref.right - width;
    if (top > ref.bottom - height) top = ref.bottom - height;
    if (left < 0) left = 0;
    if (top < 0) top = 0;
    // The window keeps its own size: only the reference arithmetic counts
    // the edge pixels.
    MoveWindow(window, left, top, own.right - own.left, own.bottom - own.top, FALSE);
}
