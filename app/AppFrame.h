#pragma once
// The program's main window over the framework's frame: its class, menu and
// size, the command dispatcher, the popup menu, the save question before
// closing, the settings saved when it goes, and what the contact list
// reports (a dial, a header click, a new selection).

#include "framework/MainFrame.h"
#include "ui/ContactListView.h"

class AppFrame : public MainFrame, public ListViewEvents {
public:
    void ModifyClass(WNDCLASSA& wc) override;
    void ModifyCreate(CREATESTRUCTA& cs) override;
    int SaveState() override;
    void OnClose() override;
    void OnCommand(WPARAM w, LPARAM l) override;
    void OnContextMenu(WPARAM w, LPARAM l) override;
    void OnDestroy() override;
    void OnEndSession(WPARAM w, LPARAM l) override;
    int OnQueryEndSession() override;
    int OnUnhandled(UINT message, WPARAM w, LPARAM l) override;
    int OnCreate() override;
    void OnNotify(WPARAM w, LPARAM l) override;
    int CanClose() override;
    int RestorePlacement() override;
    void OnDpiChanged(int dpi, const RECT& suggested) override;

    // ListViewEvents
    void OnDialRequested() override;
    void OnHeaderClicked(int column) override;
    void OnSelectionChanged() override;

    HMENU PopupMenu() const { return popup_; }
    // The popup menu at a screen point, its items greyed as the selection allows.
    void ShowPopupMenu(LPARAM point);

private:
    HMENU popup_ = nullptr;
    bool sessionEnding_ = false;  // Windows has said the session ends
};

extern AppFrame g_frame;
