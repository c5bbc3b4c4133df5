#pragma once
// The long-lived objects of the program: built before the entry runs, bound
// to their windows while those exist, and kept for the whole run.  The main
// frame is app/AppFrame.h's g_frame; what only needs its window asks
// MainWindow().

#include "app/Settings.h"
#include "contacts/ContactList.h"
#include "framework/ButtonBar.h"
#include "framework/ProgramBox.h"
#include "framework/StatusBar.h"
#include "ui/ContactDialog.h"
#include "ui/ContactListView.h"

extern ButtonBar g_buttonBar;
extern MsgBox& g_msgBox;  // the program's box (framework/ProgramBox.h)
extern EllipseMsgBox g_aboutBox;
extern ContactListView g_listView;
extern StatusBar g_statusBar;
extern Settings g_settings;
extern ContactList g_contacts;
extern ContactDialog g_contactDialog;

// The main window, owner of the program's boxes; null before it exists.
HWND MainWindow();

// The selected contact, or null.
Contact* SelectedContact();
