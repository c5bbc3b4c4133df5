#include "ui/ContactListView.h"

#include "app/Globals.h"
#include "dialing/DialCommands.h"
#include "ui/Title.h"

namespace {

struct SortCall {
    ItemCompare compare;
    std::intptr_t param;
};

int CALLBACK CompareForControl(LPARAM a, LPARAM b, LPARAM call) {
    const SortCall* c = reinterpret_cast<const SortCall*>(call);
    return c->compare(a, b, c->param);
}

DWORD ViewBits(int view) {
    switch (view) {
        case 1: return LVS_SMALLICON;
        case 2: return LVS_LIST;
        case 3: return LVS_REPORT;
        default: return LVS_ICON;
    }
}

}  // namespace

ContactListView::ContactListView() { SetStyle(kListFixedStyle | LVS_REPORT); }

int ContactListView::Insert(const char* text, int image, ItemData data) {
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = GetItemCount();
    item.pszText = const_cast<char*>(text);
    item.iImage = image;
    item.lParam = data;
    return InsertItem(item);
}

int ContactListView::InsertSorted(const char* text, int image, ItemData data) {
    return Insert(text, image, data);  // the sorted style places it
}

int ContactListView::Append(const char* text, int image, ItemData data) { return Insert(text, image, data); }

// A run of appends goes in without the sorted style and without drawing: one
// sorted insertion per record costs the control far more than one sort.
void ContactListView::BeginAppend() {
    SendMessageA(hwnd_, WM_SETREDRAW, FALSE, 0);
    SetWindowLongA(hwnd_, GWL_STYLE, GetWindowLongA(hwnd_, GWL_STYLE) & ~LVS_SORTASCENDING);
}

void ContactListView::EndAppend() {
    SetWindowLongA(hwnd_, GWL_STYLE, GetWindowLongA(hwnd_, GWL_STYLE) | LVS_SORTASCENDING);
    SendMessageA(hwnd_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void ContactListView::SortItems(ItemCompare compare, std::intptr_t param) {
    SortCall call{compare, param};
    ListViewControl::SortItems(&CompareForControl, reinterpret_cast<LPARAM>(&call));
}

void ContactListView::InsertColumns(const int* widths) {
    for (int c = 0; c < kColumnCount; ++c) {
        LVCOLUMNA column = {};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column.fmt = LVCFMT_LEFT;
        column.cx = widths[c];
        column.pszText = const_cast<char*>(kContactColumns[c].Header);
        column.iSubItem = c;
        InsertColumn(c, column);
    }
}

void ContactListView::SetView(int view) {
    SetWindowLongA(hwnd_, GWL_STYLE, static_cast<LONG>(kListFixedStyle | ViewBits(view)));
    Arrange(LVA_DEFAULT);
    g_settings.Style = view;
}

void ContactListView::SelectItem(int index) {
    if (index < 0 || index >= GetItemCount()) return;
    SetItemState(index, LVIS_SELECTED | LVIS_FOCUSED, static_cast<UINT>(-1));
    EnsureVisible(index, false);
}

LRESULT ContactListView::OnNotify(NMHDR* header) {
    switch (header->code) {
        case NM_DBLCLK: DialCommand(DialField::Phone); break;
        case LVN_KEYDOWN:
            if (reinterpret_cast<NMLVKEYDOWN*>(header)->wVKey == VK_RETURN) DialCommand(DialField::Phone);
            break;
        case LVN_GETDISPINFOA: {
            LVITEMA& item = reinterpret_cast<NMLVDISPINFOA*>(header)->item;
            if (item.iSubItem < 1 || item.iSubItem >= kColumnCount || !(item.mask & LVIF_TEXT)) break;
            const Contact* c = g_contacts.ContactAt(item.iItem);
            // The record's own text: the control copies what it needs.
            if (c) item.pszText = const_cast<char*>(ContactField(*c, item.iSubItem));
            break;
        }
        case LVN_COLUMNCLICK: g_contacts.SortByHeader(reinterpret_cast<NMLISTVIEW*>(header)->iSubItem); break;
        case LVN_ITEMCHANGED: UpdateStatusLine(); break;
        default: break;
    }
    return 0;
}

namespace {
const Contact* Selected() { return g_contacts.ContactAt(g_contacts.SelectedIndex()); }
}  // namespace

bool CanDial(DialField field) {
    const Contact* c = Selected();
    return c && (field == DialField::Phone ? c->Number[0] : c->MiscInfo[0]) != '\0';
}

bool HasEmail() {
    const Contact* c = Selected();
    return c && c->Email[0] != '\0';
}

void UpdateTitle() {
    char title[128];
    BuildTitle(g_settings.Fname, title, sizeof title);
    SetWindowTextA(g_frame.Handle(), title);
}
