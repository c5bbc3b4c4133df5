#pragma once
// Unsaved changes kept over the end of a Windows session: the recovery copy
// written when Windows asks to end it, discarded when the changes are saved,
// dropped or the session goes on, and offered at the next start.

// This run's copy of the list in the user's local application data; false
// when it could not be written.
bool WriteRecoveryCopy();
// Removes this run's copy, if it wrote one.
void DiscardRecoveryCopy();
// After the data file is loaded at start-up: offers a copy left for it (or
// for a book never saved) and removes it, answered either way.
void OfferRecovery();
