#pragma once
// A list control held in memory: the stand-in for the list view where there is
// no window (tests, benchmarks, fuzzing).  It orders inserted items by the
// same case-insensitive text comparison as the real control.

#include "contacts/ListControl.h"

#include <map>
#include <string>
#include <vector>

class MemoryListControl : public ListControl {
public:
    struct Item {
        std::string Text;
        int Image;
        ItemData Data;
    };

    int InsertSorted(const char* text, int image, ItemData data) override;
    int Append(const char* text, int image, ItemData data) override;
    ItemData GetItemData(int index) const override;
    bool DeleteItem(int index) override;
    void DeleteAllItems() override;
    int ItemCount() const override { return static_cast<int>(items_.size()); }
    int SelectedItem() const override { return selected_; }
    void SortItems(ItemCompare compare, std::intptr_t param) override;
    bool Rearrange(const std::vector<std::uint32_t>& order, const std::vector<NewListItem>& added) override;

    void Select(int index) { selected_ = (index >= 0 && index < ItemCount()) ? index : -1; }
    const Item& ItemAt(int index) const { return items_[static_cast<std::size_t>(index)]; }
    // Makes the next insertions fail, as a control out of memory would.
    void RefuseInserts(bool refuse) { refuse_ = refuse; }

private:
    std::vector<Item> items_;
    int selected_ = -1;
    bool refuse_ = false;
};

class MemoryStatusText : public StatusText {
public:
    void SetPartText(int part, const char* text) override { parts_[part] = text; }
    std::string Part(int part) const {
        auto it = parts_.find(part);
        return it == parts_.end() ? std::string() : it->second;
    }

private:
    std::map<int, std::string> parts_;
};
