#include "framework/ListViewControl.h"

ListViewControl::ListViewControl() : ControlObject(WC_LISTVIEWA, WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT, 0) {}

int ListViewControl::Create(HWND parent, int id, const char* text, int x, int y, int width, int height) {
    return BindOrCreate(parent, id, text, x, y, width, height);
}

LPARAM ListViewControl::GetItemData(int index) const {
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    if (!SendMessageA(hwnd_, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return 0;
    return item.lParam;
}

void ListViewControl::SetItemState(int index, UINT state, UINT mask) {
    LVITEMA item = {};
    item.state = state;
    item.stateMask = mask;
    SendMessageA(hwnd_, LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&item));
}
