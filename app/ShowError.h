#pragma once
// The error box of the main window: the message, and the detail on a line of
// its own when there is one.

void ShowError(const char* message, const char* detail);

extern const char kMsgCantOpenFile[];      // "Can't open file"
extern const char kMsgNotDataFile[];       // "Not a Telvara data file"
extern const char kMsgEnterAreaCode[];     // "Enter an Area Code in Options / Setup."
extern const char kMsgErrorWritingPort[];  // "Error writing to port"
extern const char kMsgCantWriteFile[];     // "Can't write file"
extern const char kMsgOutOfMemory[];       // "Out of memory"
extern const char kMsgCantOpenPort[];      // "Can't open Serial Port."
