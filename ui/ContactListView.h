#pragma once
// The list view in the middle of the main window.  It shows every contact;
// the items themselves (text, image and record, in the order shown) are kept
// here and the control draws them on request, so that a book of a hundred
// thousand contacts loads in a moment.  It is the list control of the
// ContactList.  What the user asks of the list (dial, sort, a new selection)
// it reports to its owner through ListViewEvents.

#include "contacts/ListControl.h"
#include "framework/ListViewControl.h"
#include "ui/ViewStyle.h"

#include <vector>

// The style bits the list always has; a view adds one of LVS_ICON,
// LVS_SMALLICON, LVS_LIST or LVS_REPORT.
// The header is a child of the list: clipped out, it is not drawn again each
// time the items are.
constexpr DWORD kListFixedStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_CLIPCHILDREN | LVS_SINGLESEL | LVS_OWNERDATA;

// What the list reports to the window that owns it.
class ListViewEvents {
public:
    virtual void OnDialRequested() = 0;  // a double click, or Enter
    virtual void OnHeaderClicked(int column) = 0;
    virtual void OnSelectionChanged() = 0;  // any item change, the program's own too

protected:
    ~ListViewEvents() = default;
};

class ContactListView : public ListViewControl, public ListControl {
public:
    ContactListView();

    // ListControl
    int InsertSorted(const char* text, int image, ItemData data) override;
    int Append(const char* text, int image, ItemData data) override;
    ItemData GetItemData(int index) const override;
    bool DeleteItem(int index) override;
    int ReplaceSorted(int index, const char* text, int image, ItemData data) override;
    void DeleteAllItems() override;
    int ItemCount() const override { return static_cast<int>(items_.size()); }
    int SelectedItem() const override { return GetSelected(); }
    void SortItems(ItemCompare compare, std::intptr_t param) override;
    bool Rearrange(const std::vector<std::uint32_t>& order, const std::vector<NewListItem>& added) override;
    void BeginAppend() override;
    void EndAppend() override;

    LRESULT OnNotify(NMHDR* header) override;  // the list's own notifications

    void SetEvents(ListViewEvents* events) { events_ = events; }
    // While held, changes of the selection are not reported: a command that
    // moves it several times refreshes what depends on it once, at its end.
    void HoldSelectionEvents(bool hold) { eventsHeld_ = hold; }
    void InsertColumns(const int* widths);
    void SetView(int view);
    void SelectItem(int index);

private:
    struct Item {
        ItemData Data;
        int Image;
        char Text[24];  // the first name when the item went in
    };
    void SyncCount();
    void MoveSelection(int from, int to);
    int PlaceOf(const Item& item) const;
    int FindByPrefix(const char* prefix, int start) const;

    std::vector<Item> items_;
    bool appending_ = false;
    ListViewEvents* events_ = nullptr;
    bool eventsHeld_ = false;
};

// Holds the list's selection reports for a scope.
class HeldSelectionEvents {
public:
    explicit HeldSelectionEvents(ContactListView& view) : view_(view) { view_.HoldSelectionEvents(true); }
    ~HeldSelectionEvents() { view_.HoldSelectionEvents(false); }
    HeldSelectionEvents(const HeldSelectionEvents&) = delete;
    HeldSelectionEvents& operator=(const HeldSelectionEvents&) = delete;

private:
    ContactListView& view_;
};
