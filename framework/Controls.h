#pragma once
// Wrappers of the standard controls: edit, combo box, push button, check box
// and slider.  Each is a thin layer of one-line calls over its messages.

#include "framework/ControlObject.h"

#include <commctrl.h>

class EditControl : public ControlObject {
public:
    EditControl();
    // Binds or creates, then sets the text (also on a template's control).
    int Create(HWND parent, int id, const char* text, int x, int y, int width, int height) override;
    int OnCommand(int code, int id) override;  // EN_KILLFOCUS calls the notification

    void SetText(const char* text) { SetWindowTextA(hwnd_, text); }
    int GetText(char* buffer, int size) const { return GetWindowTextA(hwnd_, buffer, size); }
    void SetLimit(int characters) { SendMessageA(hwnd_, EM_LIMITTEXT, characters, 0); }
};

class ComboBoxControl : public ControlObject {
public:
    ComboBoxControl();
    int Create(HWND parent, int id, const char* text, int x, int y, int width, int height) override;
    int OnCommand(int code, int id) override;  // CBN_SELCHANGE records the selection

    int AddString(const char* text) {
        return static_cast<int>(SendMessageA(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
    }
    int SetCurSel(int index) { return static_cast<int>(SendMessageA(hwnd_, CB_SETCURSEL, index, 0)); }
    int GetCurSel() const { return static_cast<int>(SendMessageA(hwnd_, CB_GETCURSEL, 0, 0)); }
    int Selection() const { return selection_; }

private:
    int selection_ = 0;
};

class PushButton : public ControlObject {
public:
    PushButton();
    // Records the mnemonic (the letter after the first "&"), then binds or creates.
    int Create(HWND parent, int id, const char* text, int x, int y, int width, int height) override;
    int OnCommand(int code, int id) override;  // BN_CLICKED calls the notification

    char Mnemonic() const { return mnemonic_; }
    void Enable(bool enable) { EnableWindow(hwnd_, enable ? TRUE : FALSE); }

protected:
    explicit PushButton(DWORD style);
    char mnemonic_ = 0;
};

class CheckBox : public PushButton {
public:
    CheckBox();
    int OnCommand(int code, int id) override;  // BN_CLICKED records the check state

    void SetCheck(int value);
    int BindCheck(HWND parent, int id, int initial, CallbackTarget* target, CallbackOp op);
    int Checked() const { return checked_; }
    int Initial() const { return initial_; }

private:
    int initial_ = 0;
    int checked_ = 0;
};

class SliderControl : public ControlObject {
public:
    SliderControl();
    void SetRange(int low, int high) { SendMessageA(hwnd_, TBM_SETRANGE, TRUE, MAKELPARAM(low, high)); }
    void SetPos(int pos) { SendMessageA(hwnd_, TBM_SETPOS, TRUE, pos); }
    int GetPos() const { return static_cast<int>(SendMessageA(hwnd_, TBM_GETPOS, 0, 0)); }
};
