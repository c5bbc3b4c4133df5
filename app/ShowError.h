#pragma once
// The error box of the main window: the message, and the detail on a line of
// its own when there is one.  The program's yes-or-no question likewise.

void ShowError(const char* message, const char* detail);
// True when the user answers Yes.
bool AskYesNo(const char* question, const char* detail);

extern const char kMsgCantOpenFile[];      // "Can't open file"
extern const char kMsgNotDataFile[];       // "Not a Telvara data file"
extern const char kMsgEnterAreaCode[];     // "Enter an Area Code in Options / Setup."
extern const char kMsgErrorWritingPort[];  // "Error writing to port"
extern const char kMsgCantWriteFile[];     // "Can't write file"
extern const char kMsgOutOfMemory[];       // "Out of memory"
extern const char kMsgCantOpenPort[];      // "Can't open Serial Port."

// The questions, and the reason shown on Windows' shutdown page.
extern const char kMsgRestoreChanges[];     // "Restore the changes not saved at shutdown?"
extern const char kMsgChangedByOther[];     // "This file was changed by another program. Save over it?"
extern const wchar_t kMsgUnsavedChanges[];  // L"Telvara has unsaved changes"
