#pragma once
// Dialing and mailing the selected contact with the current settings, and
// the messages the user sees when the modem's port fails.

#include "dialing/DialCommand.h"

// The dialer's part of the settings as they are now.
DialerSettings CurrentDialerSettings();

// Once at start-up: finds the tones, and warns when no area code is set.
void PrepareDialer();

void DialSelected(DialField field);
void EmailSelected();
