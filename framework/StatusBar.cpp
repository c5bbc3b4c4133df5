#include "framework/StatusBar.h"

#include <commctrl.h>

StatusBar::StatusBar() : ControlObject(STATUSCLASSNAMEA, WS_CHILD | WS_VISIBLE, 0) {}

int StatusBar::SetPartCount(int n) {
    if (n < 0) return 0;
    try {
        widths_.assign(static_cast<std::size_t>(n), 0);
        styles_.assign(static_cast<std::size_t>(n), 0);
        edges_.assign(static_cast<std::size_t>(n), 0);
    } catch (...) {
        count_ = added_ = 0;
        return 0;
    }
    count_ = n;
    added_ = 0;
    return 1;
}

void StatusBar::AddPart(int width, int style) {
    if (added_ >= count_) return;
    widths_[static_cast<std::size_t>(added_)] = width;
    styles_[static_cast<std::size_t>(added_)] = style;
    ++added_;
}

int StatusBar::CreateStatus(HWND parent) {
    parent_ = parent;
    id_ = NextControlId();
    hwnd_ = CreateStatusWindowA(WS_CHILD | WS_VISIBLE, nullptr, parent, static_cast<UINT>(id_));
    if (!hwnd_) return 0;
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SendMessageA(hwnd_, SB_SETPARTS, count_, reinterpret_cast<LPARAM>(edges_.data()));
    for (int i = 0; i < count_; ++i) SendMessageA(hwnd_, SB_SETTEXTA, i | styles_[static_cast<std::size_t>(i)], 0);
    return 1;
}

void StatusBar::OnParentSize(WPARAM w, LPARAM l) {
    if (!hwnd_) return;
    SendMessageA(hwnd_, WM_SIZE, w, l);
    RECT rect;
    GetWindowRect(hwnd_, &rect);
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(hwnd_, WM_GETFONT, 0, 0));
    if (!font) font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    HDC dc = GetDC(parent_);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICA tm = {};
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(parent_, dc);
    int average = tm.tmAveCharWidth;
    if (count_ == 0) return;
    edges_[static_cast<std::size_t>(count_ - 1)] = (rect.right - rect.left) - count_ * average;
    for (int i = count_ - 1; i >= 1; --i)
        edges_[static_cast<std::size_t>(i - 1)] =
            edges_[static_cast<std::size_t>(i)] - widths_[static_cast<std::size_t>(i)] * average;
    SendMessageA(hwnd_, SB_SETPARTS, count_, reinterpret_cast<LPARAM>(edges_.data()));
}

void StatusBar::SetPartText(int index, const char* text) {
    if (index < 0 || index >= count_) return;
    SendMessageA(hwnd_, SB_SETTEXTA, index | styles_[static_cast<std::size_t>(index)], reinterpret_cast<LPARAM>(text));
}

int StatusBar::LayoutHeight() const {
    if (!hwnd_ || !IsWindowVisible(hwnd_)) return 0;
    RECT rect;
    GetWindowRect(hwnd_, &rect);
    return rect.bottom - rect.top;
}
