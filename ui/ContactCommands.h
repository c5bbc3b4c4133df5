#pragma once
// The three commands that change single contacts: New and Edit through the
// contact dialog, Delete after a question.  Each works on the list and view
// it is given, selects and shows what it added, refreshes the count and the
// "Mod" mark, and reports what it did; the caller refreshes the selected
// contact's line and the buttons that need a selection.

#include "contacts/ContactList.h"
#include "ui/ContactDialog.h"
#include "ui/ContactListView.h"

// What New and Edit report when nothing changed (cancelled, no selection,
// or the list refused the record).
constexpr int kContactUnchanged = -1;

// Adds a contact typed in the dialog; `defaultState` is the state a new
// contact starts with.  The index of the new item, or kContactUnchanged.
int NewContactCommand(ContactList& list, ContactListView& view, ContactDialog& dialog, const char* defaultState);

// Edits a working copy of the selected contact and puts it in the old one's
// place once accepted.  The index of the edited item, or kContactUnchanged.
int EditContactCommand(ContactList& list, ContactListView& view, ContactDialog& dialog, const char* defaultState);

// Removes the selected contact once the user answers Yes to the question,
// which is owned by the list.  True when a contact was removed.
bool DeleteContactCommand(ContactList& list, ContactListView& view);
