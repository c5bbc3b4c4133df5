#include "support/MemoryListControl.h"

#include "contacts/TextCompare.h"

#include <algorithm>

int MemoryListControl::InsertSorted(const char* text, int image, ItemData data) {
    if (refuse_) return -1;
    // After the last item whose text does not sort after the new one.
    auto at = std::upper_bound(items_.begin(), items_.end(), text,
                               [](const char* t, const Item& item) { return CompareNoCase(t, item.Text.c_str()) < 0; });
    int index = static_cast<int>(at - items_.begin());
    items_.insert(at, Item{text, image, data});
    if (selected_ >= index) ++selected_;
    return index;
}

int MemoryListControl::Append(const char* text, int image, ItemData data) {
    if (refuse_) return -1;
    items_.push_back(Item{text, image, data});
    return ItemCount() - 1;
}

ItemData MemoryListControl::GetItemData(int index) const {
    if (index < 0 || index >= ItemCount()) return 0;
    return items_[static_cast<std::size_t>(index)].Data;
}

bool MemoryListControl::DeleteItem(int index) {
    if (index < 0 || index >= ItemCount()) return false;
    items_.erase(items_.begin() + index);
    if (selected_ == index)
        selected_ = -1;
    else if (selected_ > index)
        --selected_;
    return true;
}

void MemoryListControl::DeleteAllItems() {
    items_.clear();
    selected_ = -1;
}

void MemoryListControl::SortItems(ItemCompare compare, std::intptr_t param) {
    ItemData selectedData = selected_ >= 0 ? GetItemData(selected_) : 0;
    // Stable, as the list view's sort (a merge sort) is: items that compare
    // equal keep their order.
    std::stable_sort(items_.begin(), items_.end(),
                     [&](const Item& a, const Item& b) { return compare(a.Data, b.Data, param) < 0; });
    if (selected_ >= 0) {
        for (int i = 0; i < ItemCount(); ++i)
            if (items_[static_cast<std::size_t>(i)].Data == selectedData) selected_ = i;
    }
}

bool MemoryListControl::Rearrange(const std::vector<std::uint32_t>& order, const std::vector<NewListItem>& added) {
    if (refuse_ && !added.empty()) return false;
    const std::size_t present = items_.size();
    if (order.size() != present + added.size()) return false;
    // A present item named twice or not at all is a fault of the caller.
    std::vector<bool> seen(order.size());
    std::vector<Item> next;
    next.reserve(order.size());
    int selected = -1;
    for (std::uint32_t entry : order) {
        if (entry >= order.size() || seen[entry]) return false;
        seen[entry] = true;
        if (entry < present) {
            if (static_cast<int>(entry) == selected_) selected = static_cast<int>(next.size());
            next.push_back(items_[entry]);
        } else {
            const NewListItem& item = added[entry - present];
            next.push_back(Item{item.Text, item.Image, item.Data});
        }
    }
    items_.swap(next);
    selected_ = selected;
    return true;
}
