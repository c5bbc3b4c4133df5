#include "framework/Controls.h"

#include <cstring>

EditControl::EditControl()
    : ControlObject("EDIT",
                    WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL |
                        ES_NOHIDESEL,
                    WS_EX_CLIENTEDGE) {}

int EditControl::Create(HWND parent, int id, const char* text, int x, int y, int width, int height) {
    int ok = BindOrCreate(parent, id, text, x, y, width, height);
    if (ok) SetWindowTextA(hwnd_, text);
    return ok;
}

int EditControl::OnCommand(int code, int) { return code == EN_KILLFOCUS ? Notify() : 0; }

ComboBoxControl::ComboBoxControl()
    : ControlObject("COMBOBOX", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWN, 0) {}

int ComboBoxControl::Create(HWND parent, int id, const char* text, int x, int y, int width, int height) {
    return BindOrCreate(parent, id, text, x, y, width, height);
}

int ComboBoxControl::OnCommand(int code, int) {
    if (code != CBN_SELCHANGE) return 0;
    selection_ = GetCurSel();
    return Notify();
}

PushButton::PushButton() : PushButton(WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON) {}

PushButton::PushButton(DWORD style) : ControlObject("BUTTON", style, 0) {}

int PushButton::Create(HWND parent, int id, const char* text, int x, int y, int width, int height) {
    const char* amp = text ? std::strchr(text, '&') : nullptr;
    mnemonic_ = amp ? amp[1] : 0;
    return BindOrCreate(parent, id, text ? text : "", x, y, width, height);
}

int PushButton::OnCommand(int code, int) { return code == BN_CLICKED ? Notify() : 0; }

CheckBox::CheckBox() : PushButton(WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX) {}

int CheckBox::OnCommand(int code, int) {
    if (code != BN_CLICKED) return 0;
    checked_ = SendMessageA(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
    return Notify();
}

void CheckBox::SetCheck(int value) {
    checked_ = value;
    SendMessageA(hwnd_, BM_SETCHECK, value ? 1 : 0, 0);
}

int CheckBox::BindCheck(HWND parent, int id, int initial, CallbackTarget* target, CallbackOp op) {
    int ok = Create(parent, id, "", CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT);
    initial_ = initial;
    SetCheck(initial);
    SetCallback(target, op);
    return ok;
}

SliderControl::SliderControl()
    : ControlObject(TRACKBAR_CLASSA, WS_CHILD | WS_VISIBLE | WS_TABSTOP | TBS_AUTOTICKS | TBS_BOTH, WS_EX_CLIENTEDGE) {}
