#include "framework/DialogObject.h"

#include "framework/ControlObject.h"
#include "framework/Instance.h"
#include "framework/ModalScope.h"

INT_PTR DialogObject::Run(int templateId, HWND owner) {
    // The dialog manager disables the owner's top-level window for the run
    // and, as the dialog ends, enables it again if it was enabled before
    // (DialogBoxParamA page).  A dialog does not open over a window that
    // something else holds disabled, such as one under an open box: that
    // window cannot take the activation back when the dialog goes.
    HWND top = owner ? GetAncestor(owner, GA_ROOT) : nullptr;
    if (top && !IsWindowEnabled(top)) return -1;
    ModalScope open;
    return DialogBoxParamA(ProgramInstance(), MAKEINTRESOURCEA(templateId), owner, &DialogProcThunk,
                           reinterpret_cast<LPARAM>(this));
}

DialogObject::~DialogObject() = default;

void DialogObject::End(INT_PTR result) { EndDialog(hwnd_, result); }

INT_PTR CALLBACK DialogObject::DialogProcThunk(HWND hwnd, UINT message, WPARAM w, LPARAM l) {
    DialogObject* object;
    if (message == WM_INITDIALOG) {
        object = reinterpret_cast<DialogObject*>(l);
        SetWindowLongPtrA(hwnd, DWLP_USER, l);
        if (object) object->hwnd_ = hwnd;
    } else {
        object = reinterpret_cast<DialogObject*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    }
    if (!object) return 0;
    INT_PTR result = 0;
    try {
        result = object->DialogProc(message, w, l);
    } catch (...) {
        result = 0;
    }
    if (message == WM_NCDESTROY && object->hwnd_ == hwnd) object->hwnd_ = nullptr;
    return result;
}

INT_PTR DialogObject::DialogProc(UINT message, WPARAM w, LPARAM l) {
    switch (message) {
        case WM_INITDIALOG: return OnInitDialog();
        case WM_CREATE: return OnCreate() ? 0 : -1;
        case WM_DESTROY: OnDestroy(); return 0;
        case WM_COMMAND: {
            ControlObject* control = l ? ControlObject::FromWindow(reinterpret_cast<HWND>(l)) : nullptr;
            if (!control || !control->OnCommand(HIWORD(w), LOWORD(w))) OnCommand(w, l);
            return 0;
        }
        // A dialog procedure hands back a message's own result through
        // DWLP_MSGRESULT and returns TRUE; the dialog manager answers the
        // sender with that word, not with the return value (DialogProc page).
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(l);
            LRESULT result = 0;
            if (ControlObject* control = header ? ControlObject::FromWindow(header->hwndFrom) : nullptr)
                result = control->OnNotify(header);
            else
                OnNotify(w, l);
            return Answer(result);
        }
        case WM_DRAWITEM: {
            auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(l);
            if (ControlObject* control = item ? ControlObject::FromWindow(item->hwndItem) : nullptr)
                control->OnDrawItem(item);
            else
                OnDrawItem(w, l);
            return 1;
        }
        case WM_QUERYENDSESSION: return Answer(OnQueryEndSession());
        case WM_VKEYTOITEM: return OnVKeyToItem(w);
        case WM_CTLCOLORLISTBOX: return reinterpret_cast<INT_PTR>(OnCtlColorListBox(w, l));
        case WM_SIZE: OnSize(w, l); return 0;
        case WM_SETFOCUS: OnSetFocus(); return 0;
        case WM_KILLFOCUS: OnKillFocus(); return 0;
        case WM_PAINT: OnPaint(); return 0;
        case WM_SYSCOLORCHANGE: OnSysColorChange(); return 0;
        case WM_CONTEXTMENU: OnContextMenu(w, l); return 0;
        case WM_KEYDOWN: OnKeyDown(w, l); return 0;
        case WM_KEYUP: OnKeyUp(w, l); return 0;
        case WM_CHAR: OnChar(w, l); return 0;
        case WM_SYSKEYDOWN: OnSysKeyDown(w, l); return 0;
        case WM_SYSKEYUP: OnSysKeyUp(w, l); return 0;
        case WM_TIMER: OnTimer(w); return 0;
        case WM_HSCROLL: OnHScroll(w, l); return 0;
        case WM_VSCROLL: OnVScroll(w, l); return 0;
        case WM_INITMENU: OnInitMenu(); return 0;
        case WM_MENUSELECT: OnMenuSelect(w, l); return 0;
        case WM_MOUSEMOVE: OnMouseMove(w, l); return 0;
        case WM_LBUTTONDOWN: OnLButtonDown(w, l); return 0;
        case WM_LBUTTONUP: OnLButtonUp(w, l); return 0;
        case WM_RBUTTONDOWN: OnRButtonDown(w, l); return 0;
        case WM_RBUTTONUP: OnRButtonUp(w, l); return 0;
        case WM_DROPFILES: OnDropFiles(w); return 0;
        default: return OnUnhandled(message, w, l);
    }
}

INT_PTR DialogObject::Answer(LRESULT result) {
    SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, result);
    return TRUE;
}

int DialogObject::Create() {
    ShowMissingCreate();
    return 0;
}
INT_PTR DialogObject::OnUnhandled(UINT, WPARAM, LPARAM) { return 0; }
void DialogObject::OnChar(WPARAM, LPARAM) {}
void DialogObject::OnCommand(WPARAM, LPARAM) {}
void DialogObject::OnContextMenu(WPARAM, LPARAM) {}
int DialogObject::OnCreate() { return 0; }
HBRUSH DialogObject::OnCtlColorListBox(WPARAM, LPARAM) { return nullptr; }
void DialogObject::OnDestroy() {}
void DialogObject::OnDrawItem(WPARAM, LPARAM) {}
void DialogObject::OnDropFiles(WPARAM) {}
void DialogObject::OnHScroll(WPARAM, LPARAM) {}
int DialogObject::OnInitDialog() { return 1; }
void DialogObject::OnInitMenu() {}
void DialogObject::OnKeyDown(WPARAM, LPARAM) {}
void DialogObject::OnKeyUp(WPARAM, LPARAM) {}
void DialogObject::OnKillFocus() {}
void DialogObject::OnLButtonDown(WPARAM, LPARAM) {}
void DialogObject::OnLButtonUp(WPARAM, LPARAM) {}
int DialogObject::OnMenuSelect(WPARAM, LPARAM) { return 0; }
void DialogObject::OnMouseMove(WPARAM, LPARAM) {}
void DialogObject::OnNotify(WPARAM, LPARAM) {}
void DialogObject::OnPaint() {}
int DialogObject::OnQueryEndSession() { return 1; }
void DialogObject::OnRButtonDown(WPARAM, LPARAM) {}
void DialogObject::OnRButtonUp(WPARAM, LPARAM) {}
void DialogObject::OnSetFocus() {}
void DialogObject::OnSize(WPARAM, LPARAM) {}
void DialogObject::OnSysColorChange() {}
void DialogObject::OnSysKeyDown(WPARAM, LPARAM) {}
void DialogObject::OnSysKeyUp(WPARAM, LPARAM) {}
void DialogObject::OnTimer(WPARAM) {}
int DialogObject::OnVKeyToItem(WPARAM) { return -1; }
void DialogObject::OnVScroll(WPARAM, LPARAM) {}
