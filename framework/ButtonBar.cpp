#include "framework/ButtonBar.h"

#include <new>

namespace {
bool g_registered = false;
}

ButtonBar::ButtonBar() {
    style_ = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    exStyle_ = 0;
    RegisterWindowClass();
}

int ButtonBar::RegisterWindowClass() {
    return RegisterOwnClass(g_registered, "BtnBarClass", CS_BYTEALIGNWINDOW, nullptr, LoadCursorA(nullptr, IDC_ARROW),
                            static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)), false);
}

int ButtonBar::CreateBar(HWND parent, int x, int y, int width, int height) {
    if (!CreateOwnWindow("BtnBarClass", parent, nullptr, "", x, y, width, height)) return 0;
    barHeight_ = height;
    dpi_ = WindowDpi(hwnd_);
    ShowWindow(hwnd_, visible_ ? SW_SHOW : SW_HIDE);
    return 1;
}

int ButtonBar::SetButtonCount(int n) {
    if (n < 0) return 0;
    buttons_.reset(new (std::nothrow) PushButton[static_cast<std::size_t>(n)]);
    ids_.reset(new (std::nothrow) int[static_cast<std::size_t>(n)]);
    lefts_.reset(new (std::nothrow) int[static_cast<std::size_t>(n)]);
    widths_.reset(new (std::nothrow) int[static_cast<std::size_t>(n)]);
    capacity_ = (buttons_ && ids_ && lefts_ && widths_) ? n : 0;
    added_ = 0;
    nextX_ = 2;
    return capacity_ == n;
}

int ButtonBar::AddButton(const char* text, int width, int commandId, int disabled) {
    if (added_ >= capacity_) return 0;
    PushButton& button = buttons_[added_];
    RECT place = Place(nextX_, width);
    if (!button.Create(hwnd_, commandId, text, place.left, place.top, place.right, place.bottom)) return 0;
    if (disabled) EnableWindow(button.Handle(), FALSE);
    if (dpi_ != SystemDpi()) font_.Apply(button.Handle(), dpi_);
    ids_[added_] = commandId;
    lefts_[added_] = nextX_;
    widths_[added_] = width;
    ++added_;
    nextX_ += width + 3;
    return 1;
}

void ButtonBar::EnableButton(int commandId, bool enable) {
    for (int i = 0; i < added_; ++i) {
        if (ids_[i] == commandId) {
            // A button draws itself at once when enabled or disabled, so only
            // a change is passed on.
            HWND button = buttons_[i].Handle();
            if ((IsWindowEnabled(button) != FALSE) != enable) EnableWindow(button, enable ? TRUE : FALSE);
            return;
        }
    }
}

// Left, top, width and height of a button: 3 pixels below the bar's top and
// above its bottom, at 96 DPI.
RECT ButtonBar::Place(int left, int width) const {
    return RECT{ScaleToDpi(left, dpi_), ScaleToDpi(3, dpi_), ScaleToDpi(width, dpi_), barHeight_ - ScaleToDpi(6, dpi_)};
}

void ButtonBar::PlaceButton(int index) {
    RECT place = Place(lefts_[index], widths_[index]);
    SetWindowPos(buttons_[index].Handle(), nullptr, place.left, place.top, place.right, place.bottom,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void ButtonBar::SetDpi(int dpi, int height) {
    dpi_ = dpi;
    barHeight_ = height;
    for (int i = 0; i < added_; ++i) {
        font_.Apply(buttons_[i].Handle(), dpi_);
        PlaceButton(i);
    }
}

void ButtonBar::Paint() {
    RECT rect;
    GetClientRect(hwnd_, &rect);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    HPEN dark = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_WINDOWFRAME));
    HPEN light = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
    HGDIOBJ old = SelectObject(dc, dark);
    MoveToEx(dc, rect.left, rect.bottom - 1, nullptr);
    LineTo(dc, rect.right, rect.bottom - 1);
    SelectObject(dc, light);
    MoveToEx(dc, rect.left, rect.top, nullptr);
    LineTo(dc, rect.right, rect.top);
    SelectObject(dc, old);
    DeleteObject(dark);
    DeleteObject(light);
    EndPaint(hwnd_, &ps);
}

LRESULT ButtonBar::WindowProc(UINT message, WPARAM w, LPARAM l) {
    switch (message) {
        case WM_PAINT:
            if (visible_)
                Paint();
            else
                ValidateRect(hwnd_, nullptr);  // nothing to draw, and no repeated WM_PAINT
            return 0;
        case WM_COMMAND: {
            ControlObject* control = l ? ControlObject::FromWindow(reinterpret_cast<HWND>(l)) : nullptr;
            if (control && control->OnCommand(HIWORD(w), LOWORD(w))) return 0;
            if (HIWORD(w) == 0) SendMessageA(GetParent(hwnd_), WM_COMMAND, LOWORD(w), reinterpret_cast<LPARAM>(hwnd_));
            return 0;
        }
        case kBarForwardMessage: SendMessageA(GetParent(hwnd_), message, w, l); return 0;
        default: return DefWindowProcA(hwnd_, message, w, l);
    }
}
