#pragma once
// The list view in the middle of the main window.  It shows every contact;
// the items themselves (text, image and record, in the order shown) are kept
// here and the control draws them on request, so that a book of a hundred
// thousand contacts loads in a moment.  It is the list control of the
// ContactList.

#include "contacts/ListControl.h"
#include "framework/ListViewControl.h"

#include <vector>

// The style bits the list always has; a view adds one of LVS_ICON,
// LVS_SMALLICON, LVS_LIST or LVS_REPORT.
constexpr DWORD kListFixedStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_SINGLESEL | LVS_OWNERDATA;

enum class DialField { Phone, Misc };

class ContactListView : public ListViewControl, public ListControl {
public:
    ContactListView();

    // ListControl
    int InsertSorted(const char* text, int image, ItemData data) override;
    int Append(const char* text, int image, ItemData data) override;
    ItemData GetItemData(int index) const override;
    bool DeleteItem(int index) override;
    void DeleteAllItems() override;
    int ItemCount() const override { return static_cast<int>(items_.size()); }
    int SelectedItem() const override { return GetSelected(); }
    void SortItems(ItemCompare compare, std::intptr_t param) override;
    void BeginAppend() override;
    void EndAppend() override;

    LRESULT OnNotify(NMHDR* header) override;  // the list's own notifications

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
    int FindByPrefix(const char* prefix, int start) const;

    std::vector<Item> items_;
    bool appending_ = false;
};

bool CanDial(DialField field);
bool HasEmail();
void UpdateTitle();
