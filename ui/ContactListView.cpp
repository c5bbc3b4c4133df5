#include "ui/ContactListView.h"

#include "contacts/ContactList.h"
#include "contacts/Prefetch.h"
#include "contacts/TextCompare.h"

#include <algorithm>

namespace {

DWORD ViewBits(int view) {
    switch (view) {
        case kViewSmallIcons: return LVS_SMALLICON;
        case kViewList: return LVS_LIST;
        case kViewDetails: return LVS_REPORT;
        default: return LVS_ICON;
    }
}

}  // namespace

ContactListView::ContactListView() { SetStyle(kListFixedStyle | LVS_REPORT); }

void ContactListView::SyncCount() {
    SendMessageA(hwnd_, LVM_SETITEMCOUNT, items_.size(), LVSICF_NOSCROLL);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

// The control keeps the selection by place; when items move it moves too.
void ContactListView::MoveSelection(int from, int to) {
    if (from == to) return;
    if (from >= 0) SetItemState(from, 0, LVIS_SELECTED | LVIS_FOCUSED);
    if (to >= 0) SetItemState(to, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

// After the last item whose text does not sort after the new one, as a list
// in ascending order of item text places it.
int ContactListView::PlaceOf(const Item& item) const {
    auto at = std::upper_bound(items_.begin(), items_.end(), item,
                               [](const Item& a, const Item& b) { return CompareNoCase(a.Text, b.Text) < 0; });
    return static_cast<int>(at - items_.begin());
}

int ContactListView::InsertSorted(const char* text, int image, ItemData data) {
    Item item{data, image, {}};
    lstrcpynA(item.Text, text, sizeof item.Text);
    int index = PlaceOf(item);
    int selected = GetSelected();
    try {
        items_.insert(items_.begin() + index, item);
    } catch (...) {
        return -1;
    }
    SyncCount();
    if (selected >= index) MoveSelection(selected, selected + 1);
    return index;
}

int ContactListView::ReplaceSorted(int index, const char* text, int image, ItemData data) {
    if (index < 0 || index >= ItemCount()) return -1;
    Item item{data, image, {}};
    lstrcpynA(item.Text, text, sizeof item.Text);
    int to = PlaceOf(item);
    if (to > index) --to;  // counted with the old item still above it
    // The items between the two places move up or down by one and the count
    // stays: the control need not be told of a new count, which costs it as
    // much as drawing the list.
    int selected = GetSelected();
    auto from = items_.begin() + index;
    if (to > index)
        std::rotate(from, from + 1, items_.begin() + to + 1);
    else if (to < index)
        std::rotate(items_.begin() + to, from, from + 1);
    items_[static_cast<std::size_t>(to)] = item;
    int now = selected;
    if (selected == index)
        now = -1;
    else if (index < selected && selected <= to)
        --now;
    else if (to <= selected && selected < index)
        ++now;
    MoveSelection(selected, now);
    InvalidateRect(hwnd_, nullptr, TRUE);
    return to;
}

int ContactListView::Append(const char* text, int image, ItemData data) {
    Item item{data, image, {}};
    lstrcpynA(item.Text, text, sizeof item.Text);
    try {
        items_.push_back(item);
    } catch (...) {
        return -1;
    }
    if (!appending_) SyncCount();
    return ItemCount() - 1;
}

ItemData ContactListView::GetItemData(int index) const {
    if (index < 0 || index >= ItemCount()) return 0;
    return items_[static_cast<std::size_t>(index)].Data;
}

bool ContactListView::DeleteItem(int index) {
    if (index < 0 || index >= ItemCount()) return false;
    items_.erase(items_.begin() + index);
    // The control moves the selection of the items below up by one.
    ListViewControl::DeleteItem(index);
    if (GetItemCount() != ItemCount()) SyncCount();
    InvalidateRect(hwnd_, nullptr, TRUE);
    return true;
}

void ContactListView::DeleteAllItems() {
    std::vector<Item>().swap(items_);
    ListViewControl::DeleteAllItems();
}

void ContactListView::BeginAppend() { appending_ = true; }

void ContactListView::EndAppend() {
    appending_ = false;
    SyncCount();
}

void ContactListView::SortItems(ItemCompare compare, std::intptr_t param) {
    int selected = GetSelected();
    ItemData selectedData = GetItemData(selected);
    // Stable, so that contacts with equal keys keep their order from click to
    // click, on screen and in the file, which is written in list order.
    std::stable_sort(items_.begin(), items_.end(),
                     [&](const Item& a, const Item& b) { return compare(a.Data, b.Data, param) < 0; });
    int now = -1;
    for (int i = 0; selected >= 0 && i < ItemCount(); ++i)
        if (items_[static_cast<std::size_t>(i)].Data == selectedData) now = i;
    MoveSelection(selected, now);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

bool ContactListView::Rearrange(const std::vector<std::uint32_t>& order, const std::vector<NewListItem>& added) {
    const std::size_t present = items_.size();
    if (order.size() != present + added.size()) return false;
    int selected = GetSelected();
    int now = -1;
    std::vector<Item> next;
    try {
        next.reserve(order.size());
    } catch (...) {
        return false;
    }
    for (std::size_t k = 0; k < order.size(); ++k) {
        // The items are read in their new order, not the order they lie in.
        if (k + 16 < order.size()) {
            std::uint32_t ahead = order[k + 16];
            if (ahead < present)
                Prefetch(&items_[ahead]);
            else if (ahead - present < added.size())
                Prefetch(added[ahead - present].Text);
        }
        const std::uint32_t entry = order[k];
        if (entry < present) {
            if (static_cast<int>(entry) == selected) now = static_cast<int>(next.size());
            next.push_back(items_[entry]);
        } else if (entry - present < added.size()) {
            const NewListItem& source = added[entry - present];
            Item item{source.Data, source.Image, {}};
            lstrcpynA(item.Text, source.Text, sizeof item.Text);
            next.push_back(item);
        } else {
            return false;
        }
    }
    items_.swap(next);
    if (!added.empty()) {
        SyncCount();
    } else {
        InvalidateRect(hwnd_, nullptr, TRUE);
    }
    MoveSelection(selected, now);
    return true;
}

int ContactListView::FindByPrefix(const char* prefix, int start) const {
    int n = ItemCount();
    int length = lstrlenA(prefix);
    for (int k = 0; k < n; ++k) {
        int i = (start + k) % n;
        const char* text = items_[static_cast<std::size_t>(i)].Text;
        if (lstrlenA(text) >= length &&
            CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, text, length, prefix, length) == CSTR_EQUAL)
            return i;
    }
    return -1;
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
    // Only the view bits change: the scroll bars' bits belong to the window,
    // and a style without them leaves the room of scroll bars that are
    // neither drawn nor shown again (the columns out of reach).
    DWORD style = static_cast<DWORD>(GetWindowLongA(hwnd_, GWL_STYLE)) & ~static_cast<DWORD>(LVS_TYPEMASK);
    SetWindowLongA(hwnd_, GWL_STYLE, static_cast<LONG>(style | kListFixedStyle | ViewBits(view)));
    Arrange(LVA_DEFAULT);
}

void ContactListView::SelectItem(int index) {
    if (index < 0 || index >= GetItemCount()) return;
    SetItemState(index, LVIS_SELECTED | LVIS_FOCUSED, static_cast<UINT>(-1));
    EnsureVisible(index, false);
}

LRESULT ContactListView::OnNotify(NMHDR* header) {
    switch (header->code) {
        case NM_DBLCLK:
            if (events_) events_->OnDialRequested();
            break;
        case LVN_KEYDOWN:
            if (events_ && reinterpret_cast<NMLVKEYDOWN*>(header)->wVKey == VK_RETURN) events_->OnDialRequested();
            break;
        case LVN_GETDISPINFOA: {
            LVITEMA& item = reinterpret_cast<NMLVDISPINFOA*>(header)->item;
            if (item.iItem < 0 || item.iItem >= ItemCount()) break;
            const Item& shown = items_[static_cast<std::size_t>(item.iItem)];
            if (item.mask & LVIF_IMAGE) item.iImage = shown.Image;
            if (item.mask & LVIF_PARAM) item.lParam = shown.Data;
            if (!(item.mask & LVIF_TEXT) || item.iSubItem < 0 || item.iSubItem >= kColumnCount) break;
            // The record's own text: the control copies what it needs.
            const Contact* c = reinterpret_cast<const Contact*>(shown.Data);
            item.pszText = const_cast<char*>(item.iSubItem == 0 ? shown.Text : ContactField(*c, item.iSubItem));
            break;
        }
        case LVN_ODFINDITEMA: {  // typing a name's first letters
            auto* find = reinterpret_cast<NMLVFINDITEMA*>(header);
            if (!(find->lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) || !find->lvfi.psz) return -1;
            return FindByPrefix(find->lvfi.psz, find->iStart < 0 ? 0 : find->iStart);
        }
        case LVN_COLUMNCLICK:
            if (events_) events_->OnHeaderClicked(reinterpret_cast<NMLISTVIEW*>(header)->iSubItem);
            break;
        case LVN_ITEMCHANGED:
            if (events_ && !eventsHeld_) events_->OnSelectionChanged();
            break;
        default: break;
    }
    return 0;
}
