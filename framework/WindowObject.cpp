#include "framework/WindowObject.h"

#include "framework/ControlObject.h"
#include "framework/Instance.h"
#include "framework/OwnClasses.h"

int WindowObject::CreateOwnWindow(const char* className, HWND parent, HMENU menu, const char* title, int x, int y,
                                  int width, int height) {
    // The handle is bound during creation; a refused creation leaves none.
    if (!hwnd_)
        hwnd_ = CreateWindowExA(exStyle_, className, title, style_, x, y, width, height, parent, menu,
                                ProgramInstance(), this);
    return hwnd_ ? 1 : 0;
}

int WindowObject::DestroyOwnWindow() {
    if (!DestroyWindow(hwnd_)) return 0;
    hwnd_ = nullptr;
    return 1;
}

WindowObject* WindowObject::FromWindow(HWND hwnd) {
    if (!hwnd || GetClassLongPtrA(hwnd, GCLP_WNDPROC) != reinterpret_cast<ULONG_PTR>(&WindowProcThunk)) return nullptr;
    return reinterpret_cast<WindowObject*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

LRESULT CALLBACK WindowObject::WindowProcThunk(HWND hwnd, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(l);
        auto* object = static_cast<WindowObject*>(cs->lpCreateParams);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
        if (object) object->hwnd_ = hwnd;
    }
    auto* object = reinterpret_cast<WindowObject*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!object) return DefWindowProcA(hwnd, message, w, l);
    // Nothing may unwind through the system's code.
    try {
        return object->WindowProc(message, w, l);
    } catch (...) {
        return DefWindowProcA(hwnd, message, w, l);
    }
}

int WindowObject::RegisterOwnClass(bool& registered, const char* name, UINT style, HICON icon, HCURSOR cursor,
                                   HBRUSH background, bool callModify) {
    if (registered) return 0;
    WNDCLASSA wc = {};
    wc.style = style;
    wc.lpfnWndProc = &WindowProcThunk;
    wc.cbClsExtra = 0;
    wc.cbWndExtra = 4;  // reserved; the object lives in the user data
    wc.hInstance = ProgramInstance();
    wc.hIcon = icon;
    wc.hCursor = cursor;
    wc.hbrBackground = background;
    wc.lpszClassName = name;
    if (callModify) ModifyClass(wc);
    ATOM atom = RegisterClassA(&wc);
    if (!atom) return 0;
    RememberOwnClass(atom);
    registered = true;
    return 1;
}

LRESULT WindowObject::WindowProc(UINT message, WPARAM w, LPARAM l) { return Route(message, w, l); }

LRESULT WindowObject::Route(UINT message, WPARAM w, LPARAM l) {
    switch (message) {
        case WM_CREATE: return OnCreate() ? 0 : -1;
        case WM_DESTROY:
            OnDestroy();
            SaveState();
            OnFinalDestroy();
            return 0;
        case WM_ENDSESSION:
            OnEndSession(w, l);
            if (w) SaveState();
            return 0;
        case WM_CLOSE: OnClose(); return 0;
        case WM_QUERYENDSESSION: return OnQueryEndSession();
        case WM_PAINT: OnPaint(); return 0;
        case WM_SIZE: OnSize(w, l); return 0;
        case WM_SETFOCUS: OnSetFocus(); return 0;
        case WM_KILLFOCUS: OnKillFocus(); return 0;
        case WM_SYSCOLORCHANGE: OnSysColorChange(); return 0;
        case WM_DRAWITEM: OnDrawItem(w, l); return 1;
        case WM_VKEYTOITEM: return OnVKeyToItem(w);
        case WM_CTLCOLORLISTBOX: return reinterpret_cast<LRESULT>(OnCtlColorListBox(w, l));
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(l);
            if (ControlObject* control = header ? ControlObject::FromWindow(header->hwndFrom) : nullptr)
                return control->OnNotify(header);
            OnNotify(w, l);
            return 0;
        }
        case WM_COMMAND: OnCommand(w, l); return 0;
        case WM_CONTEXTMENU: OnContextMenu(w, l); return 0;
        case WM_KEYDOWN: OnKeyDown(w, l); return 0;
        case WM_KEYUP: OnKeyUp(w, l); return 0;
        case WM_CHAR: OnChar(w, l); return 0;
        case WM_SYSKEYDOWN: OnSysKeyDown(w, l); return 0;
        case WM_SYSKEYUP: OnSysKeyUp(w, l); return 0;
        case WM_SYSCOMMAND: OnSysCommand(); break;  // and on to the default handling, so system commands still work
        case WM_TIMER: OnTimer(w); return 0;
        case WM_HSCROLL: OnHScroll(w, l); return 0;
        case WM_VSCROLL: OnVScroll(w, l); return 0;
        case WM_INITMENU: OnInitMenu(w); return 0;
        case WM_MENUSELECT: OnMenuSelect(w, l); return 0;
        case WM_MOUSEMOVE: OnMouseMove(w, l); return 0;
        case WM_MOUSEWHEEL: OnMouseWheel(w, l); return 0;
        case WM_LBUTTONDOWN: OnLButtonDown(w, l); return 0;
        case WM_LBUTTONUP: OnLButtonUp(w, l); return 0;
        case WM_LBUTTONDBLCLK: OnLButtonDblClk(w, l); return 0;
        case WM_RBUTTONDOWN: OnRButtonDown(w, l); return 0;
        case WM_RBUTTONUP: OnRButtonUp(w, l); return 0;
        case WM_DROPFILES: OnDropFiles(w); return 0;
        default: break;
    }
    if (OnUnhandled(message, w, l)) return 0;
    return DefWindowProcA(hwnd_, message, w, l);
}

int WindowObject::Create() {
    ShowMissingCreate();
    return 0;
}
void WindowObject::ModifyClass(WNDCLASSA&) {}
void WindowObject::ModifyCreate(CREATESTRUCTA&) {}
void WindowObject::OnFinalDestroy() {}
int WindowObject::OnUnhandled(UINT, WPARAM, LPARAM) { return 0; }
int WindowObject::SaveState() { return 0; }
void WindowObject::OnChar(WPARAM, LPARAM) {}
void WindowObject::OnClose() { DestroyOwnWindow(); }
void WindowObject::OnCommand(WPARAM, LPARAM) {}
void WindowObject::OnContextMenu(WPARAM, LPARAM) {}
int WindowObject::OnCreate() { return 0; }
HBRUSH WindowObject::OnCtlColorListBox(WPARAM, LPARAM) { return nullptr; }
void WindowObject::OnDestroy() {}
void WindowObject::OnDrawItem(WPARAM, LPARAM) {}
void WindowObject::OnDropFiles(WPARAM) {}
void WindowObject::OnEndSession(WPARAM, LPARAM) {}
void WindowObject::OnHScroll(WPARAM, LPARAM) {}
void WindowObject::OnInitMenu(WPARAM) {}
void WindowObject::OnKeyDown(WPARAM, LPARAM) {}
void WindowObject::OnKeyUp(WPARAM, LPARAM) {}
void WindowObject::OnKillFocus() {}
void WindowObject::OnLButtonDblClk(WPARAM, LPARAM) {}
void WindowObject::OnLButtonDown(WPARAM, LPARAM) {}
void WindowObject::OnLButtonUp(WPARAM, LPARAM) {}
int WindowObject::OnMenuSelect(WPARAM, LPARAM) { return 0; }
void WindowObject::OnMouseMove(WPARAM, LPARAM) {}
void WindowObject::OnMouseWheel(WPARAM, LPARAM) {}
void WindowObject::OnNotify(WPARAM, LPARAM) {}
void WindowObject::OnPaint() {
    PAINTSTRUCT ps;
    BeginPaint(hwnd_, &ps);
    EndPaint(hwnd_, &ps);
}
int WindowObject::OnQueryEndSession() { return 1; }
void WindowObject::OnRButtonDown(WPARAM, LPARAM) {}
void WindowObject::OnRButtonUp(WPARAM, LPARAM) {}
void WindowObject::OnSetFocus() {}
void WindowObject::OnSize(WPARAM, LPARAM) {}
void WindowObject::OnSysColorChange() {}
void WindowObject::OnSysCommand() {}
void WindowObject::OnSysKeyDown(WPARAM, LPARAM) {}
void WindowObject::OnSysKeyUp(WPARAM, LPARAM) {}
void WindowObject::OnTimer(WPARAM) {}
int WindowObject::OnVKeyToItem(WPARAM) { return -1; }
void WindowObject::OnVScroll(WPARAM, LPARAM) {}
