#include "app/ShowError.h"

#include "app/Globals.h"

#include <cstdio>

const char kMsgCantOpenFile[] = "Can't open file";
const char kMsgNotDataFile[] = "Not a Telvara data file";
const char kMsgEnterAreaCode[] = "Enter an Area Code in Options / Setup.";
const char kMsgErrorWritingPort[] = "Error writing to port";
const char kMsgCantOpenPort[] = "Can't open Serial Port.";
const char kMsgCantWriteFile[] = "Can't write file";
const char kMsgOutOfMemory[] = "Out of memory";
const char kMsgRestoreChanges[] = "Restore the changes not saved at shutdown?";
const char kMsgChangedByOther[] = "This file was changed by another program. Save over it?";
const wchar_t kMsgUnsavedChanges[] = L"Telvara has unsaved changes";

namespace {
int ShowWithDetail(const char* message, const char* detail, UINT flags) {
    char text[512];  // the longest message and a path of 259 characters
    if (detail && detail[0])
        std::snprintf(text, sizeof text, "%s\n%s", message, detail);
    else
        std::snprintf(text, sizeof text, "%s", message);
    return ShowProgramBox(MainWindow(), text, "Telvara", flags);
}
}  // namespace

void ShowError(const char* message, const char* detail) { ShowWithDetail(message, detail, MB_OK | MB_ICONEXCLAMATION); }

bool AskYesNo(const char* question, const char* detail) {
    return ShowWithDetail(question, detail, MB_YESNO | MB_ICONQUESTION) == IDYES;
}
