#pragma once
// A window of one of the program's own classes, owned by an object.  One
// shared window procedure finds the object through the window's user data
// and turns each message into a call of a virtual handler; derived classes
// override only what they need.

#include <windows.h>

class WindowObject {
public:
    WindowObject() = default;
    virtual ~WindowObject() = default;
    WindowObject(const WindowObject&) = delete;
    WindowObject& operator=(const WindowObject&) = delete;

    HWND Handle() const { return hwnd_; }

    // Creates the window unless the object has one; 1 when it has one after.
    int CreateOwnWindow(const char* className, HWND parent, HMENU menu, const char* title, int x, int y, int width,
                        int height);
    // 1 when the window was destroyed (the handle is then cleared).
    int DestroyOwnWindow();

    static LRESULT CALLBACK WindowProcThunk(HWND hwnd, UINT message, WPARAM w, LPARAM l);
    // The object of a window of the program's own classes, or null.
    static WindowObject* FromWindow(HWND hwnd);

    // Operations, in the order of the table of virtual operations.
    virtual int Create();
    virtual void ModifyClass(WNDCLASSA& wc);
    virtual void ModifyCreate(CREATESTRUCTA& cs);
    virtual LRESULT WindowProc(UINT message, WPARAM w, LPARAM l);
    virtual void OnFinalDestroy();
    virtual int OnUnhandled(UINT message, WPARAM w, LPARAM l);
    virtual int RegisterWindowClass() = 0;
    virtual int SaveState();
    virtual void OnChar(WPARAM w, LPARAM l);
    virtual void OnClose();
    virtual void OnCommand(WPARAM w, LPARAM l);
    virtual void OnContextMenu(WPARAM w, LPARAM l);
    virtual int OnCreate();
    virtual HBRUSH OnCtlColorListBox(WPARAM w, LPARAM l);
    virtual void OnDestroy();
    virtual void OnDrawItem(WPARAM w, LPARAM l);
    virtual void OnDropFiles(WPARAM w);
    virtual void OnEndSession(WPARAM w, LPARAM l);
    virtual void OnHScroll(WPARAM w, LPARAM l);
    virtual void OnInitMenu(WPARAM w);
    virtual void OnKeyDown(WPARAM w, LPARAM l);
    virtual void OnKeyUp(WPARAM w, LPARAM l);
    virtual void OnKillFocus();
    virtual void OnLButtonDblClk(WPARAM w, LPARAM l);
    virtual void OnLButtonDown(WPARAM w, LPARAM l);
    virtual void OnLButtonUp(WPARAM w, LPARAM l);
    virtual int OnMenuSelect(WPARAM w, LPARAM l);
    virtual void OnMouseMove(WPARAM w, LPARAM l);
    virtual void OnMouseWheel(WPARAM w, LPARAM l);
    virtual void OnNotify(WPARAM w, LPARAM l);
    virtual void OnPaint();
    virtual int OnQueryEndSession();
    virtual void OnRButtonDown(WPARAM w, LPARAM l);
    virtual void OnRButtonUp(WPARAM w, LPARAM l);
    virtual void OnSetFocus();
    virtual void OnSize(WPARAM w, LPARAM l);
    virtual void OnSysColorChange();
    virtual void OnSysCommand();
    virtual void OnSysKeyDown(WPARAM w, LPARAM l);
    virtual void OnSysKeyUp(WPARAM w, LPARAM l);
    virtual void OnTimer(WPARAM w);
    virtual int OnVKeyToItem(WPARAM w);
    virtual void OnVScroll(WPARAM w, LPARAM l);

protected:
    // Registers a class whose procedure is WindowProcThunk, once per process:
    // 1 when this call registered it, 0 when it was already registered or
    // registration failed.  `callModify` passes the class to ModifyClass.
    int RegisterOwnClass(bool& registered, const char* name, UINT style, HICON icon, HCURSOR cursor, HBRUSH background,
                         bool callModify);

    HWND hwnd_ = nullptr;
    DWORD style_ = 0;
    DWORD exStyle_ = 0;

private:
    LRESULT Route(UINT message, WPARAM w, LPARAM l);
};
