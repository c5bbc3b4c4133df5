#pragma once
// The dial and e-mail commands and the status line of the selected contact.

#include "ui/ContactListView.h"

// Status part 0 for the selected contact, and the buttons that need one.
void UpdateStatusLine();
// Once at start-up: warns when no area code is set.
void PrepareDialer();
void DialCommand(DialField field);
void EmailCommand();
