#include "contacts/ContactList.h"

#include "contacts/BulkPlacement.h"
#include "contacts/ColumnSort.h"
#include "contacts/TextCompare.h"

#include <cstdio>
#include <vector>

const ColumnInfo kContactColumns[kColumnCount] = {
    {"First Name", 100}, {"Last Name", 100}, {"Number", 110}, {"Address", 156},     {"City", 100},
    {"State", 34},       {"Zip", 54},        {"E-mail", 140}, {"Misc. Info.", 140},
};

namespace {

Contact* RecordOf(ItemData data) { return reinterpret_cast<Contact*>(data); }

struct SortRequest {
    const ContactList* list;
    int column;
};

int CompareItems(ItemData a, ItemData b, std::intptr_t param) {
    const SortRequest* request = reinterpret_cast<const SortRequest*>(param);
    return request->list->CompareContacts(RecordOf(a), RecordOf(b), request->column);
}

}  // namespace

ContactList::ContactList(ListControl& control, StatusText& status) : control_(control), status_(status) {}

ContactList::~ContactList() { ClearContacts(); }

int ContactList::Insert(std::unique_ptr<Contact>& contact, bool sorted) {
    if (!contact) return -1;
    ItemData data = reinterpret_cast<ItemData>(contact.get());
    int image = ContactImage(*contact);
    int index = sorted ? control_.InsertSorted(contact->FirstName, image, data)
                       : control_.Append(contact->FirstName, image, data);
    if (index < 0) return index;
    contact.release();  // the item owns it now
    changed_ = true;
    return index;
}

int ContactList::AddContact(std::unique_ptr<Contact> contact) { return Insert(contact, true); }

int ContactList::AppendContact(std::unique_ptr<Contact> contact) { return Insert(contact, false); }

int ContactList::AddContacts(std::vector<std::unique_ptr<Contact>>& contacts) {
    std::vector<const Contact*> present, added;
    std::vector<NewListItem> items;
    std::vector<std::uint32_t> order;
    try {
        present.reserve(static_cast<std::size_t>(Count()));
        for (int i = 0; i < Count(); ++i) present.push_back(ContactAt(i));
        added.reserve(contacts.size());
        items.reserve(contacts.size());
        for (const auto& c : contacts) {
            if (!c) return 0;
            added.push_back(c.get());
            items.push_back(NewListItem{c->FirstName, ContactImage(*c), reinterpret_cast<ItemData>(c.get())});
        }
        if (added.empty()) return 0;
        order = PlaceAdded(present, added);
    } catch (...) {
        return 0;  // out of memory: nothing added
    }
    if (!control_.Rearrange(order, items)) return 0;
    for (auto& c : contacts) c.release();  // the items own them now
    changed_ = true;
    return static_cast<int>(items.size());
}

Contact* ContactList::ContactAt(int index) const {
    if (index < 0 || index >= control_.ItemCount()) return nullptr;
    return RecordOf(control_.GetItemData(index));
}

int ContactList::SelectedIndex() const { return control_.SelectedItem(); }

int ContactList::Count() const { return control_.ItemCount(); }

void ContactList::RemoveContact(int index) {
    Contact* record = ContactAt(index);
    if (!record) return;
    control_.DeleteItem(index);
    delete record;
    ClearContactLine();
    changed_ = true;
    UpdateListStatus();
}

int ContactList::ReplaceContact(int index, std::unique_ptr<Contact> edited) {
    Contact* old = ContactAt(index);
    if (!old || !edited) return -1;
    // The old record goes only once the new one is in, so that a refused
    // replacement cannot lose the contact.
    int added = control_.ReplaceSorted(index, edited->FirstName, ContactImage(*edited),
                                       reinterpret_cast<ItemData>(edited.get()));
    if (added < 0) return added;
    edited.release();  // the item owns it now
    delete old;
    changed_ = true;
    return added;
}

void ContactList::ClearContacts() {
    // Take the records first, since the items no longer hold them once gone,
    // but release them only after the items: the control may still report
    // on the selected item while it empties.
    int n = control_.ItemCount();
    std::vector<Contact*> records;
    records.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) records.push_back(RecordOf(control_.GetItemData(i)));
    control_.DeleteAllItems();
    for (Contact* record : records) delete record;
}

void ContactList::SortContacts(int column) {
    if (column < 0 || column >= kColumnCount) return;
    // Keys made once for the whole sort, rather than the locale's comparison
    // for every pair; the order is the same.
    try {
        std::vector<const Contact*> records;
        records.reserve(static_cast<std::size_t>(Count()));
        bool whole = true;
        for (int i = 0; i < Count() && whole; ++i) {
            records.push_back(ContactAt(i));
            whole = records.back() != nullptr;
        }
        if (whole && control_.Rearrange(StableOrder(records, ColumnSortText(column, sortAscending_[column])), {}))
            return;
    } catch (...) {
        // Short of memory for the keys: the control's own sort needs none.
    }
    SortRequest request{this, column};
    control_.SortItems(&CompareItems, reinterpret_cast<std::intptr_t>(&request));
}

void ContactList::SortByHeader(int column) {
    if (column < 0 || column >= kColumnCount) return;
    SortContacts(column);
    sortAscending_[column] = !sortAscending_[column];
}

int ContactList::CompareContacts(const Contact* a, const Contact* b, int column) const {
    if (!a || !b || column < 0 || column >= kColumnCount) return 0;
    if (!sortAscending_[column]) {
        const Contact* t = a;
        a = b;
        b = t;
    }
    if (column == 0) return CompareNoCaseJoined(a->FirstName, a->LastName, b->FirstName, b->LastName);
    return CompareNoCase(ContactField(*a, column), ContactField(*b, column));
}

void ContactList::SetAllSortAscending(bool ascending) {
    for (bool& flag : sortAscending_) flag = ascending;
}

void ContactList::UpdateListStatus() {
    char count[16];
    std::snprintf(count, sizeof count, "%d", control_.ItemCount());
    status_.SetPartText(1, count);
    status_.SetPartText(2, changed_ ? "Mod" : "");
}

void ContactList::ClearContactLine() { status_.SetPartText(0, ""); }
