#pragma once
// The Setup dialog: which optional list columns are shown, the user's
// defaults (state for new contacts, area code, dialing prefix, 10-digit
// local dialing) and the dialing method.  It edits a copy of those values
// and changes them only on OK; the caller applies them.

#include "dialing/SetupValues.h"
#include "framework/DialogObject.h"

class SetupDialog : public DialogObject {
public:
    explicit SetupDialog(SetupValues& values) : values_(values) {}
    INT_PTR DialogProc(UINT message, WPARAM w, LPARAM l) override;

private:
    void Fill();
    void Accept();

    SetupValues& values_;
    bool opened_[kOptionalColumnCount] = {};  // the "Data visible" boxes as they opened
    bool tenDigitOpened_ = false;
};

// Runs the dialog over `owner`; true when it ended with OK, and only then
// does `values` change.
bool RunSetupDialog(HWND owner, SetupValues& values);
