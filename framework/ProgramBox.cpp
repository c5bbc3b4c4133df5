#include "framework/ProgramBox.h"

namespace {
MsgBox g_box;
}  // namespace

MsgBox& ProgramMsgBox() { return g_box; }

int ShowProgramBox(HWND owner, const char* text, const char* caption, UINT flags) {
    return g_box.Show(owner, text, caption, flags, nullptr, kBoxText, kBoxBack, kBoxBevel);
}
