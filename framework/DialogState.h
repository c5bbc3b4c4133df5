#pragma once
// The state a plain dialog procedure (one without a dialog object) works on:
// handed over as the parameter of WM_INITDIALOG and kept in the dialog's
// user word for the messages after it.

#include <windows.h>

// Binds the state on WM_INITDIALOG; the state, or null before that message.
template <class State>
State* DialogState(HWND dialog, UINT message, LPARAM l) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, l);
        return reinterpret_cast<State*>(l);
    }
    return reinterpret_cast<State*>(GetWindowLongPtrA(dialog, DWLP_USER));
}
