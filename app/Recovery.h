#pragma once
// Unsaved changes kept over the end of a Windows session: the recovery copy
// written when Windows asks to end it, discarded when the changes are saved,
// dropped or the session goes on, and offered at the next start.

#include "contacts/FileStamp.h"

// This run's copy of the list in the user's local application data, noting
// what was `seen` of the data file; false when it could not be written.
bool WriteRecoveryCopy(const FileStamp& seen);
// Removes this run's copy, if it wrote one.
void DiscardRecoveryCopy();
// After the data file is loaded at start-up: offers a copy left for it (or
// for a book never saved) and removes it, answered either way.  After a
// restore, `seen` is what the copy noted of the data file.
void OfferRecovery(FileStamp& seen);
