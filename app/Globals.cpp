#include "app/Globals.h"

#include "app/StatusBarText.h"
#include "framework/MainFrame.h"

// Built in this order before the entry runs; the framework's constructors
// register their window classes.
ButtonBar g_buttonBar;
MsgBox& g_msgBox = ProgramMsgBox();
EllipseMsgBox g_aboutBox;
ContactListView g_listView;
StatusBar g_statusBar;
Settings g_settings;
namespace {
StatusBarText g_statusText(g_statusBar);
}
ContactList g_contacts(g_listView, g_statusText);
ContactDialog g_contactDialog;

HWND MainWindow() {
    MainFrame* frame = MainFrame::Current();
    return frame ? frame->Handle() : nullptr;
}

Contact* SelectedContact() { return g_contacts.ContactAt(g_contacts.SelectedIndex()); }
