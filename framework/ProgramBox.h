#pragma once
// The program's message box in its fixed colours: black text on light grey
// with a dark grey bevel.  Every question and warning of the program goes
// through this one box object; a dialog may show its own message with it.

#include "framework/MsgBox.h"

constexpr COLORREF kBoxText = RGB(0, 0, 0);
constexpr COLORREF kBoxBack = RGB(192, 192, 192);
constexpr COLORREF kBoxBevel = RGB(128, 128, 128);

// The shared box object (for its text and state while it is open).
MsgBox& ProgramMsgBox();

// Shows `text` in the program's colours; the answer as MsgBox::Show gives it.
int ShowProgramBox(HWND owner, const char* text, const char* caption, UINT flags);
