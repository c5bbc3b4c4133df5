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

void ShowError(const char* message, const char* detail) {
    char text[300];
    if (detail && detail[0])
        std::snprintf(text, sizeof text, "%s\n%s", message, detail);
    else
        std::snprintf(text, sizeof text, "%s", message);
    ShowProgramBox(MainWindow(), text, "Telvara", MB_OK | MB_ICONEXCLAMATION);
}
