#pragma once
// The program's main window over the framework's frame: its class, menu and
// size, the command dispatcher, the popup menu, the save question before
// closing, and the settings saved when it goes.

#include "framework/MainFrame.h"

class AppFrame : public MainFrame {
public:
    void ModifyClass(WNDCLASSA& wc) override;
    void ModifyCreate(CREATESTRUCTA& cs) override;
    int SaveState() override;
    void OnClose() override;
    void OnCommand(WPARAM w, LPARAM l) override;
    void OnContextMenu(WPARAM w, LPARAM l) override;
    int OnQueryEndSession() override;
    int OnCreate() override;
    void OnNotify(WPARAM w, LPARAM l) override;
    int CanClose() override;
    int RestorePlacement() override;

    HMENU PopupMenu() const { return popup_; }

private:
    HMENU popup_ = nullptr;
};
