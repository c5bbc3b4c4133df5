#pragma once
// A child control wrapped in an object.  Creation either binds to a control
// that a dialog template already made (found by id) or creates it; either
// way the control's user data points back here, so that its parent can hand
// notifications on.

#include <windows.h>

// A class that receives control notifications derives from this; the
// operation takes the control id.
class CallbackTarget {
public:
    virtual ~CallbackTarget() = default;
};
using CallbackOp = void (CallbackTarget::*)(int controlId);

// The first automatic control id; ids are handed out in turn, never reused.
constexpr int kFirstControlId = 900;
int NextControlId();  // hands out the next id
int PeekNextControlId();

class ControlObject {
public:
    ControlObject(const char* systemClass, DWORD style, DWORD exStyle);
    virtual ~ControlObject() = default;
    ControlObject(const ControlObject&) = delete;
    ControlObject& operator=(const ControlObject&) = delete;

    HWND Handle() const { return hwnd_; }
    int Id() const { return id_; }
    void SetHandle(HWND hwnd) { hwnd_ = hwnd; }
    void SetStyle(DWORD style) { style_ = style; }
    void SetExStyle(DWORD exStyle) { exStyle_ = exStyle; }
    DWORD Style() const { return style_; }

    // The wrapper of a control window, or null (also for the program's own
    // window classes, whose user data holds a window object).
    static ControlObject* FromWindow(HWND hwnd);

    virtual int Create(HWND parent, int id, const char* text, int x, int y, int width, int height);
    virtual int OnCommand(int code, int id);  // nonzero = handled
    virtual void OnDrawItem(DRAWITEMSTRUCT* item);
    virtual LRESULT OnNotify(NMHDR* header);
    virtual void SetCallback(CallbackTarget* target, CallbackOp op);

protected:
    int BindOrCreate(HWND parent, int id, const char* text, int x, int y, int width, int height);
    // Calls the notification when one is set: 1 then, else 0.
    int Notify();

    HWND hwnd_ = nullptr;
    DWORD style_;
    DWORD exStyle_;
    int id_ = 0;
    CallbackTarget* target_ = nullptr;
    CallbackOp op_ = nullptr;

private:
    const char* systemClass_;
};
