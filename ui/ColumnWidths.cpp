#include "ui/ColumnWidths.h"

#include "contacts/ContactList.h"
#include "framework/Dpi.h"

namespace {

bool InDetailsView(const ListViewControl& list) {
    return (static_cast<DWORD>(GetWindowLongA(list.Handle(), GWL_STYLE)) & LVS_TYPEMASK) == LVS_REPORT;
}

HWND HeaderOf(const ListViewControl& list) {
    return reinterpret_cast<HWND>(SendMessageA(list.Handle(), LVM_GETHEADER, 0, 0));
}

}  // namespace

int ColumnWidthInAnyView(const ListViewControl& list, int column) {
    HWND header = HeaderOf(list);
    if (InDetailsView(list) || !header) return list.GetColumnWidth(column);
    HDITEMA item = {};
    item.mask = HDI_WIDTH;
    if (!SendMessageA(header, HDM_GETITEMA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item))) return 0;
    return item.cxy;
}

void SetColumnWidthInAnyView(ListViewControl& list, int column, int width) {
    HWND header = HeaderOf(list);
    if (InDetailsView(list) || !header) {
        list.SetColumnWidth(column, width);
        return;
    }
    HDITEMA item = {};
    item.mask = HDI_WIDTH;
    item.cxy = width;
    SendMessageA(header, HDM_SETITEMA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
}

void ReadColumnWidths(const ListViewControl& list, int dpi, int* widths) {
    for (int c = 0; c < kColumnCount; ++c) widths[c] = UnscaleFromDpi(ColumnWidthInAnyView(list, c), dpi);
}

void ScaleColumnWidths(const int* widths, int dpi, int* scaled) {
    for (int c = 0; c < kColumnCount; ++c) scaled[c] = ScaleToDpi(widths[c], dpi);
}

void RescaleColumns(ListViewControl& list, int from, int to) {
    if (from == to || from <= 0) return;
    for (int c = 0; c < kColumnCount; ++c)
        SetColumnWidthInAnyView(list, c, MulDiv(ColumnWidthInAnyView(list, c), to, from));
}
