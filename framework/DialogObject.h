#pragma once
// A modal dialog from a template, run with an object.  One shared dialog
// procedure binds the object at WM_INITDIALOG and hands it every message; the
// base routing calls named handlers and passes control notifications to the
// control wrappers.  Dialogs of the program usually replace DialogProc.

#include <windows.h>

class DialogObject {
public:
    DialogObject() = default;
    virtual ~DialogObject();
    DialogObject(const DialogObject&) = delete;
    DialogObject& operator=(const DialogObject&) = delete;

    HWND Handle() const { return hwnd_; }
    LPARAM Data() const { return data_; }
    void SetData(LPARAM data) { data_ = data; }

    // Runs the dialog of template `id`; the result of DialogBoxParamA (-1 when
    // the dialog could not be made).  The owner's top-level window is
    // disabled while the dialog is open and enabled as it ends; over a
    // top-level window that is disabled already no dialog opens (-1).
    INT_PTR Run(int templateId, HWND owner);
    // Ends the dialog that Run runs, which then hands back `result`.
    void End(INT_PTR result);

    static INT_PTR CALLBACK DialogProcThunk(HWND hwnd, UINT message, WPARAM w, LPARAM l);

    virtual int Create();
    virtual INT_PTR OnUnhandled(UINT message, WPARAM w, LPARAM l);
    virtual void OnChar(WPARAM w, LPARAM l);
    virtual void OnCommand(WPARAM w, LPARAM l);
    virtual void OnContextMenu(WPARAM w, LPARAM l);
    virtual int OnCreate();
    virtual HBRUSH OnCtlColorListBox(WPARAM w, LPARAM l);
    virtual void OnDestroy();
    virtual void OnDrawItem(WPARAM w, LPARAM l);
    virtual void OnDropFiles(WPARAM w);
    virtual void OnHScroll(WPARAM w, LPARAM l);
    virtual int OnInitDialog();
    virtual void OnInitMenu();
    virtual void OnKeyDown(WPARAM w, LPARAM l);
    virtual void OnKeyUp(WPARAM w, LPARAM l);
    virtual void OnKillFocus();
    virtual void OnLButtonDown(WPARAM w, LPARAM l);
    virtual void OnLButtonUp(WPARAM w, LPARAM l);
    virtual int OnMenuSelect(WPARAM w, LPARAM l);
    virtual void OnMouseMove(WPARAM w, LPARAM l);
    virtual void OnNotify(WPARAM w, LPARAM l);
    virtual void OnPaint();
    virtual int OnQueryEndSession();
    virtual void OnRButtonDown(WPARAM w, LPARAM l);
    virtual void OnRButtonUp(WPARAM w, LPARAM l);
    virtual void OnSetFocus();
    virtual void OnSize(WPARAM w, LPARAM l);
    virtual void OnSysColorChange();
    virtual void OnSysKeyDown(WPARAM w, LPARAM l);
    virtual void OnSysKeyUp(WPARAM w, LPARAM l);
    virtual void OnTimer(WPARAM w);
    virtual int OnVKeyToItem(WPARAM w);
    virtual void OnVScroll(WPARAM w, LPARAM l);
    virtual INT_PTR DialogProc(UINT message, WPARAM w, LPARAM l);

protected:
    // Hands `result` to the sender of the message being handled.
    INT_PTR Answer(LRESULT result);

    HWND hwnd_ = nullptr;
    LPARAM data_ = 0;
};
