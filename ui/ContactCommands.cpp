#include "ui/ContactCommands.h"

#include "framework/HeldDrawing.h"
#include "framework/ProgramBox.h"

#include <cstdio>
#include <memory>
#include <new>

namespace {

// The item of `record` now: where it was, or wherever it has gone since.  -1
// when it is no longer in the list.
int IndexOf(const ContactList& list, const Contact* record, int was) {
    if (list.ContactAt(was) == record) return was;
    for (int i = 0, n = list.Count(); i < n; ++i)
        if (list.ContactAt(i) == record) return i;
    return -1;
}

// The list allows one selected item.  Selecting while another is still
// selected makes the control clear the selection item by item through the
// whole list (a tenth of a second in a book of 100,000 contacts), and an
// insertion above the selected item moves its selection down first; so the
// old selection goes before the list changes.  Returns the item it was on.
int ClearSelection(ContactListView& view) {
    int old = view.GetSelected();
    if (old >= 0) view.SetItemState(old, 0, LVIS_SELECTED | LVIS_FOCUSED);
    return old;
}

// What a change of the list holds until it is complete: the reports of the
// selection (the caller refreshes the contact's line once, afterwards) and
// the drawing (the list is drawn once, with the item selected in its place).
struct HeldListChange {
    explicit HeldListChange(ContactListView& view) : events(view), drawing(view.Handle()) {}
    HeldSelectionEvents events;
    HeldDrawing drawing;
};

// Selected and focused under the hold, scrolled into view once the list
// draws again, and drawn once at the end of the hold.
int ShowChanged(ContactList& list, ContactListView& view, int index, HeldListChange& held) {
    view.SetItemState(index, LVIS_SELECTED | LVIS_FOCUSED, static_cast<UINT>(-1));
    held.drawing.Resume();
    view.EnsureVisible(index, false);
    list.UpdateListStatus();
    return index;
}

}  // namespace

int NewContactCommand(ContactList& list, ContactListView& view, ContactDialog& dialog, const char* defaultState) {
    std::unique_ptr<Contact> contact(new (std::nothrow) Contact);
    if (!contact) return kContactUnchanged;
    ClearContact(*contact);
    contact->IsNew = 1;
    if (dialog.RunOn(*contact, defaultState, view.Handle()) != ContactDialogResult::Accepted) return kContactUnchanged;
    contact->IsNew = 0;
    HeldListChange held(view);
    int was = ClearSelection(view);
    // A record the list refuses goes with the argument.
    int index = list.AddContact(std::move(contact));
    if (index < 0) {
        view.SelectItem(was);
        return kContactUnchanged;
    }
    return ShowChanged(list, view, index, held);
}

int EditContactCommand(ContactList& list, ContactListView& view, ContactDialog& dialog, const char* defaultState) {
    int selected = list.SelectedIndex();
    const Contact* old = list.ContactAt(selected);
    if (!old) return kContactUnchanged;
    std::unique_ptr<Contact> copy(new (std::nothrow) Contact(*old));
    if (!copy) return kContactUnchanged;
    copy->IsNew = 0;
    if (dialog.RunOn(*copy, defaultState, view.Handle()) != ContactDialogResult::Accepted) return kContactUnchanged;
    // Nothing can start while the dialog is open, but the copy must replace
    // the very record it was made from, never whatever sits at its old place.
    selected = IndexOf(list, old, selected);
    if (selected < 0) return kContactUnchanged;
    HeldListChange held(view);
    ClearSelection(view);
    int index = list.ReplaceContact(selected, std::move(copy));
    if (index < 0) {
        view.SelectItem(selected);  // the old contact stays where it was
        return kContactUnchanged;
    }
    return ShowChanged(list, view, index, held);
}

bool DeleteContactCommand(ContactList& list, ContactListView& view) {
    int selected = list.SelectedIndex();
    const Contact* record = list.ContactAt(selected);
    if (!record) return false;
    char question[96];
    std::snprintf(question, sizeof question, "Delete this item?\n%s %s", record->FirstName, record->LastName);
    if (ShowProgramBox(view.Handle(), question, "Telvara", MB_YESNO | MB_ICONQUESTION) != IDYES) return false;
    selected = IndexOf(list, record, selected);
    if (selected < 0) return false;
    HeldListChange held(view);
    list.RemoveContact(selected);
    return true;
}
