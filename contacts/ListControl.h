#pragma once
// What the contact list needs of the control that shows it.  The main window's
// list view provides these; in the tests and benchmarks MemoryListControl
// stands in for it.  Item data is the record's address.

#include <cstdint>
#include <vector>

using ItemData = std::intptr_t;

// Sort comparison: two item-data values and the caller's value.
using ItemCompare = int (*)(ItemData a, ItemData b, std::intptr_t param);

// An item to put in the list, as InsertSorted takes it.
struct NewListItem {
    const char* Text;
    int Image;
    ItemData Data;
};

class ListControl {
public:
    virtual ~ListControl() = default;
    // Inserts at the place ascending, case-insensitive item-text order gives.
    // Returns the new index, negative when the control refuses the item.
    virtual int InsertSorted(const char* text, int image, ItemData data) = 0;
    // Inserts after the last item; the caller sorts afterwards.
    virtual int Append(const char* text, int image, ItemData data) = 0;
    virtual ItemData GetItemData(int index) const = 0;  // 0 when there is no such item
    virtual bool DeleteItem(int index) = 0;
    // Puts a new item in the place of item `index`: where InsertSorted would
    // put it with the old item still there, which then goes.  The selection
    // stays on the other items it was on; a selected old item takes it away.
    // Returns the new item's index; negative, with nothing changed, when the
    // control refuses it.
    virtual int ReplaceSorted(int index, const char* text, int image, ItemData data) {
        int added = InsertSorted(text, image, data);
        if (added < 0) return added;
        DeleteItem(added <= index ? index + 1 : index);
        return added > index ? added - 1 : added;
    }
    virtual void DeleteAllItems() = 0;
    virtual int ItemCount() const = 0;
    virtual int SelectedItem() const = 0;  // -1 when none
    virtual void SortItems(ItemCompare compare, std::intptr_t param) = 0;
    // Puts the items in a new order in one go, new items among them: entry k
    // of `order` is the present index of the item that goes k-th, or
    // ItemCount() + j for added[j].  Every present item must be named once.
    // The selected item stays selected.  False, with nothing changed, when
    // the control cannot take the items.
    virtual bool Rearrange(const std::vector<std::uint32_t>& order, const std::vector<NewListItem>& added) = 0;
    // Bracket a run of Append calls, so the control can take them in bulk.
    virtual void BeginAppend() {}
    virtual void EndAppend() {}
};

class StatusText {
public:
    virtual ~StatusText() = default;
    virtual void SetPartText(int part, const char* text) = 0;
};
