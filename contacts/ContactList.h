#pragma once
// The records shown in the main window's list.  The list control is the only
// index of the records: each item's data is the address of its heap record,
// and the list releases a record exactly when its item goes.

#include "contacts/Contact.h"
#include "contacts/ListControl.h"

#include <memory>
#include <vector>

constexpr int kColumnCount = 9;

struct ColumnInfo {
    const char* Header;
    int DefaultWidth;
};
extern const ColumnInfo kContactColumns[kColumnCount];

class ContactList {
public:
    ContactList(ListControl& control, StatusText& status);
    ~ContactList();
    ContactList(const ContactList&) = delete;
    ContactList& operator=(const ContactList&) = delete;

    // Takes ownership.  Returns the item index, or negative when the control
    // refused the item; the record then still belongs to the caller.
    int AddContact(std::unique_ptr<Contact> contact);
    // As AddContact, but after the last item; for loading, which sorts once.
    int AppendContact(std::unique_ptr<Contact> contact);
    // Adds them all in one go, each where AddContact would have put it had
    // they been added one at a time in this order.  Returns how many went in:
    // all, the list then owning them, or none when the control refused them
    // (they then stay with the caller).
    int AddContacts(std::vector<std::unique_ptr<Contact>>& contacts);

    Contact* ContactAt(int index) const;
    int SelectedIndex() const;
    int Count() const;

    void RemoveContact(int index);
    // Puts `edited` in place of the item at `index`; returns the new index, or
    // negative when the copy could not be inserted (the old item then stays).
    int ReplaceContact(int index, std::unique_ptr<Contact> edited);
    void ClearContacts();

    // Stable: records the column finds equal keep their order.
    void SortContacts(int column);
    // Header click: sort by the column, then flip its direction.
    void SortByHeader(int column);
    int CompareContacts(const Contact* a, const Contact* b, int column) const;

    void SetAllSortAscending(bool ascending);
    bool SortAscending(int column) const { return sortAscending_[column]; }
    void SetSortAscending(int column, bool ascending) { sortAscending_[column] = ascending; }

    bool Changed() const { return changed_; }
    void SetChanged(bool changed) { changed_ = changed; }

    void UpdateListStatus();
    void ClearContactLine();  // status part 0, the selected contact's line

    ListControl& Control() { return control_; }

private:
    int Insert(std::unique_ptr<Contact>& contact, bool sorted);

    ListControl& control_;
    StatusText& status_;
    bool changed_ = false;
    bool sortAscending_[kColumnCount] = {};
};
