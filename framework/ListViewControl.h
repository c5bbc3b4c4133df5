#pragma once
// The list-view control: one-line calls over its messages.

#include "framework/ControlObject.h"

#include <commctrl.h>

class ListViewControl : public ControlObject {
public:
    ListViewControl();
    int Create(HWND parent, int id, const char* text, int x, int y, int width, int height) override;

    int InsertItem(const LVITEMA& item) {
        return static_cast<int>(SendMessageA(hwnd_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    }
    LPARAM GetItemData(int index) const;
    bool DeleteItem(int index) { return SendMessageA(hwnd_, LVM_DELETEITEM, index, 0) != 0; }
    bool DeleteAllItems() { return SendMessageA(hwnd_, LVM_DELETEALLITEMS, 0, 0) != 0; }
    int GetItemCount() const { return static_cast<int>(SendMessageA(hwnd_, LVM_GETITEMCOUNT, 0, 0)); }
    int GetNextItem(int start, UINT flags) const {
        return static_cast<int>(SendMessageA(hwnd_, LVM_GETNEXTITEM, start, MAKELPARAM(flags, 0)));
    }
    // The first selected item.  The control's search walks the items up to
    // it, or all of them when none is selected, which is slow in a long list;
    // the count of selected items and the focused item answer at once.
    int GetSelected() const {
        LRESULT count = SendMessageA(hwnd_, LVM_GETSELECTEDCOUNT, 0, 0);
        if (count == 0) return -1;
        if (count == 1) {
            int focused = GetNextItem(-1, LVNI_FOCUSED | LVNI_SELECTED);
            if (focused >= 0) return focused;
        }
        return GetNextItem(-1, LVNI_SELECTED);
    }
    bool SortItems(PFNLVCOMPARE compare, LPARAM param) {
        return SendMessageA(hwnd_, LVM_SORTITEMS, param, reinterpret_cast<LPARAM>(compare)) != 0;
    }
    void SetItemState(int index, UINT state, UINT mask);
    bool EnsureVisible(int index, bool partialOk) {
        return SendMessageA(hwnd_, LVM_ENSUREVISIBLE, index, partialOk ? TRUE : FALSE) != 0;
    }
    int InsertColumn(int index, const LVCOLUMNA& column) {
        return static_cast<int>(SendMessageA(hwnd_, LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&column)));
    }
    int GetColumnWidth(int column) const {
        return static_cast<int>(SendMessageA(hwnd_, LVM_GETCOLUMNWIDTH, column, 0));
    }
    bool SetColumnWidth(int column, int width) {
        return SendMessageA(hwnd_, LVM_SETCOLUMNWIDTH, column, MAKELPARAM(width, 0)) != 0;
    }
    void SetExtendedStyle(DWORD style) { SendMessageA(hwnd_, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, style); }
    HIMAGELIST SetImageList(HIMAGELIST list, int which) {
        return reinterpret_cast<HIMAGELIST>(
            SendMessageA(hwnd_, LVM_SETIMAGELIST, which, reinterpret_cast<LPARAM>(list)));
    }
    COLORREF GetTextColor() const { return static_cast<COLORREF>(SendMessageA(hwnd_, LVM_GETTEXTCOLOR, 0, 0)); }
    COLORREF GetBkColor() const { return static_cast<COLORREF>(SendMessageA(hwnd_, LVM_GETBKCOLOR, 0, 0)); }
    void SetTextColor(COLORREF c) { SendMessageA(hwnd_, LVM_SETTEXTCOLOR, 0, c); }
    void SetTextBkColor(COLORREF c) { SendMessageA(hwnd_, LVM_SETTEXTBKCOLOR, 0, c); }
    void SetBkColor(COLORREF c) { SendMessageA(hwnd_, LVM_SETBKCOLOR, 0, c); }
    void Arrange(UINT how) { SendMessageA(hwnd_, LVM_ARRANGE, how, 0); }
};
