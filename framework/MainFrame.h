#pragma once
// The top-level window: button bar on top, list view in the middle, status
// bar at the bottom, laid out in one deferred-position batch on every resize;
// and the program's main message loop.  The frame follows the scaling of
// the monitor it is on (WM_DPICHANGED).

#include "framework/ButtonBar.h"
#include "framework/Dpi.h"
#include "framework/ListViewControl.h"
#include "framework/StatusBar.h"
#include "framework/WindowObject.h"

class MainFrame : public WindowObject {
public:
    MainFrame() = default;

    int CreateFrame(ListViewControl* list, ButtonBar* bar, StatusBar* status);
    // The frame last created, or null: the window that owns the program's
    // boxes and asks before closing.
    static MainFrame* Current();
    void ShowFrame(int showCommand);
    int LoadAccelTable(const char* name);
    int RunMessageLoop();

    LRESULT WindowProc(UINT message, WPARAM w, LPARAM l) override;
    int RegisterWindowClass() override;
    void OnFinalDestroy() override;
    void OnClose() override;
    int OnQueryEndSession() override;
    int OnCreate() override;
    void OnSetFocus() override;
    void OnSize(WPARAM w, LPARAM l) override;
    virtual int CanClose();
    virtual int RestorePlacement();
    // Moved to a monitor of another scaling: the children get fonts for the
    // new DPI, the window takes the rectangle the system suggests, and the
    // bars are laid out again.
    virtual void OnDpiChanged(int dpi, const RECT& suggested);

    int ClientWidth() const { return clientWidth_; }
    int ClientHeight() const { return clientHeight_; }
    int BarHeight() const { return barHeight_; }
    int Dpi() const { return dpi_; }
    HACCEL Accelerators() const { return accel_; }

    // Turns a message into a command when it is one of the table's keys.
    bool HandleAccelerator(MSG& msg);

protected:
    HACCEL accel_ = nullptr;
    int clientWidth_ = 0;
    int clientHeight_ = 0;
    int barHeight_ = 0;
    int statusHeight_ = 0;
    int dpi_ = kBaseDpi;
    int textHeight_ = 0;  // of the display font, at the system DPI
    ButtonBar* bar_ = nullptr;
    StatusBar* status_ = nullptr;
    ListViewControl* list_ = nullptr;

private:
    void Layout();
    int BarHeightFor(int dpi) const;

    DpiFont listFont_;
    DpiFont statusFont_;
};
