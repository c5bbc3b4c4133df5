#pragma once
// One dial of a contact: the keys from its phone entry or its misc entry,
// then either the touch tones through the speakers or the modem on its
// serial port.  The modem dials while the user holds the handset up; the
// caller's wait shows the "Dialing: " text and returns when the user is done,
// and only then does the modem hang up.

#include "dialing/DialField.h"
#include "dialing/DialString.h"

#include <functional>

struct Contact;

struct DialerSettings {
    DialSettings Keys;   // number prefix, own area code, 10-digit rule
    bool ToneDial;       // tones through the speakers instead of the modem
    int ComNum;          // 1 to 4
    int Speed;           // the modem speed choice, 0 to 3
    const char* Prefix;  // the modem's dial command, "ATDT" by default
};

enum class DialOutcome {
    NothingToDial,  // no contact, or fewer than three keys
    Played,         // the tones were played
    Dialled,        // the modem dialled and hung up
    PortFailed,     // the port could not be opened or set up: ErrorStep, ErrorDetail
    WriteFailed,    // the dial command could not be written
};

struct DialResult {
    DialOutcome Outcome;
    int ErrorStep = 0;  // 1 open, 2 reading the settings, 3 applying them
    int ErrorDetail = 0;
};

// Shows the text of a running modem dial and returns when the user has
// answered.
using DialWait = std::function<void(const char* dialingText)>;

DialResult DialCommand(const Contact* c, DialField field, const DialerSettings& settings, const DialWait& wait);
