#pragma once
// The long-lived objects of the program: built before the entry runs, bound
// to their windows while those exist, and kept for the whole run.

#include "app/Settings.h"
#include "contacts/ContactList.h"
#include "framework/ButtonBar.h"
#include "framework/ProgramBox.h"
#include "framework/StatusBar.h"
#include "ui/ContactDialog.h"
#include "ui/ContactListView.h"

#include "app/AppFrame.h"

// The status bar's parts as the contact list writes them.
class StatusBarText : public StatusText {
public:
    explicit StatusBarText(StatusBar& bar) : bar_(bar) {}
    void SetPartText(int part, const char* text) override { bar_.SetPartText(part, text); }

private:
    StatusBar& bar_;
};

extern ButtonBar g_buttonBar;
extern MsgBox& g_msgBox;  // the program's box (framework/ProgramBox.h)
extern EllipseMsgBox g_aboutBox;
extern AppFrame g_frame;
extern ContactListView g_listView;
extern StatusBar g_statusBar;
extern Settings g_settings;
extern ContactList g_contacts;
extern ContactDialog g_contactDialog;
