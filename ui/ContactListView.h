#pragma once
// The list view in the middle of the main window.  It shows every contact
// and is at the same time the only container of the records: each item's
// data is its record.  It is the list control of the ContactList.

#include "contacts/ListControl.h"
#include "framework/ListViewControl.h"

// The style bits the list always has; a view adds one of LVS_ICON,
// LVS_SMALLICON, LVS_LIST or LVS_REPORT.
constexpr DWORD kListFixedStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_SINGLESEL | LVS_SORTASCENDING;

enum class DialField { Phone, Misc };

class ContactListView : public ListViewControl, public ListControl {
public:
    ContactListView();

    // ListControl
    int InsertSorted(const char* text, int image, ItemData data) override;
    int Append(const char* text, int image, ItemData data) override;
    ItemData GetItemData(int index) const override { return ListViewControl::GetItemData(index); }
    bool DeleteItem(int index) override { return ListViewControl::DeleteItem(index); }
    void DeleteAllItems() override { ListViewControl::DeleteAllItems(); }
    int ItemCount() const override { return GetItemCount(); }
    int SelectedItem() const override { return GetSelected(); }
    void SortItems(ItemCompare compare, std::intptr_t param) override;
    void BeginAppend() override;
    void EndAppend() override;

    LRESULT OnNotify(NMHDR* header) override;  // the list's own notifications

    void InsertColumns(const int* widths);
    void SetView(int view);
    void SelectItem(int index);

private:
    int Insert(const char* text, int image, ItemData data);
};

bool CanDial(DialField field);
bool HasEmail();
void UpdateTitle();
