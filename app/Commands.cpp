#include "app/Commands.h"

#include "app/AppFrame.h"
#include "app/Globals.h"
#include "app/OutputCommands.h"
#include "contacts/DataFileCommands.h"
#include "dialing/DialCommands.h"
#include "resources/resource.h"

void DispatchCommand(int id) {
    switch (id) {
        case CMD_EXIT: ExitCommand(); break;
        case CMD_SAVE: SaveData(); break;
        case CMD_SAVE_AS: SaveDataAs(); break;
        case CMD_VIEW_DETAILS: g_listView.SetView(3); break;
        case CMD_VIEW_LIST: g_listView.SetView(2); break;
        case CMD_VIEW_LARGE: g_listView.SetView(0); break;
        case CMD_VIEW_SMALL: g_listView.SetView(1); break;
        case CMD_OPEN: OpenDataFile(); break;
        case CMD_IMPORT: ImportDataFile(); break;
        case CMD_DIAL: DialCommand(DialField::Phone); break;
        case CMD_DIAL_MISC: DialCommand(DialField::Misc); break;
        case CMD_EMAIL: EmailCommand(); break;
        case CMD_NEW_FILE: NewFileCommand(); break;
        case CMD_BACKUP: BackupCommand(); break;
        case CMD_PRINT: PrintCommand(); break;
        case CMD_INFO: InfoPageCommand(); break;
        case CMD_UPDATES: UpdatePageCommand(); break;
        case CMD_ABOUT: AboutCommand(); break;
        // The popup's Cancel only closes the popup.  The contact, setup,
        // output and colour commands are not part of this build yet.
        default: break;
    }
}

void EnablePopupItems(HMENU menu) {
    bool selected = g_contacts.SelectedIndex() >= 0;
    auto set = [menu](int id, bool enabled) {
        EnableMenuItem(menu, static_cast<UINT>(id), MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
    };
    set(CMD_DIAL, CanDial(DialField::Phone));
    set(CMD_DIAL_MISC, CanDial(DialField::Misc));
    set(CMD_EMAIL, HasEmail());
    set(CMD_EDIT, selected);
    set(CMD_DELETE, selected);
    set(CMD_POPUP_CANCEL, true);
}

void ShowPopupMenu(LPARAM point) {
    HMENU popup = g_frame.PopupMenu();
    if (!popup) return;
    EnablePopupItems(popup);
    TrackPopupMenu(GetSubMenu(popup, 0), TPM_RIGHTBUTTON, LOWORD(point), HIWORD(point), 0, g_frame.Handle(),
                   nullptr);
}

void NewFileCommand() {
    if (g_contacts.Changed() && !g_frame.CanClose()) return;
    g_contacts.ClearContacts();
    g_contacts.SetChanged(false);
    g_contacts.SetAllSortAscending(false);
    g_settings.Fname[0] = '\0';
    g_contacts.ClearContactLine();
    g_contacts.UpdateListStatus();
    UpdateTitle();
}

void ExitCommand() {
    if (g_frame.CanClose()) g_frame.DestroyOwnWindow();
}
