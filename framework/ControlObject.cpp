#include "framework/ControlObject.h"

#include "framework/Instance.h"
#include "framework/OwnClasses.h"

namespace {
int g_nextControlId = kFirstControlId;
}

int NextControlId() { return g_nextControlId++; }
int PeekNextControlId() { return g_nextControlId; }

ControlObject::ControlObject(const char* systemClass, DWORD style, DWORD exStyle)
    : style_(style), exStyle_(exStyle), systemClass_(systemClass) {}

ControlObject* ControlObject::FromWindow(HWND hwnd) {
    // Windows of the program's own classes keep a window object there.
    if (!hwnd || IsOwnClassWindow(hwnd)) return nullptr;
    return reinterpret_cast<ControlObject*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

int ControlObject::BindOrCreate(HWND parent, int id, const char* text, int x, int y, int width, int height) {
    if (id == 0) id = NextControlId();
    id_ = id;
    hwnd_ = GetDlgItem(parent, id);
    if (!hwnd_)
        hwnd_ = CreateWindowExA(exStyle_, systemClass_, text, style_, x, y, width, height, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ProgramInstance(), nullptr);
    if (!hwnd_) return 0;
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    return 1;
}

int ControlObject::Notify() {
    if (!op_ || !target_) return 0;
    (target_->*op_)(id_);
    return 1;
}

int ControlObject::Create(HWND, int, const char*, int, int, int, int) {
    ShowMissingCreate();
    return 0;
}
int ControlObject::OnCommand(int, int) { return 0; }
void ControlObject::OnDrawItem(DRAWITEMSTRUCT*) {}
LRESULT ControlObject::OnNotify(NMHDR*) { return 0; }
void ControlObject::SetCallback(CallbackTarget* target, CallbackOp op) {
    target_ = target;
    op_ = op;
}
