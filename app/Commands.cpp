#include "app/Commands.h"

#include "app/Dialing.h"
#include "app/FileCommands.h"
#include "app/Globals.h"
#include "app/OutputCommands.h"
#include "app/Recovery.h"
#include "app/SetupCommands.h"
#include "app/StatusLine.h"
#include "app/WindowTitle.h"
#include "framework/MainFrame.h"
#include "resources/resource.h"
#include "ui/ContactCommands.h"

namespace {

void ChangeView(ViewStyle view) {
    g_listView.SetView(view);
    g_settings.Style = view;
}

}  // namespace

void DispatchCommand(int id) {
    switch (id) {
        case CMD_EXIT: ExitCommand(); break;
        case CMD_SAVE: SaveData(); break;
        case CMD_SAVE_AS: SaveDataAs(); break;
        case CMD_VIEW_DETAILS: ChangeView(kViewDetails); break;
        case CMD_VIEW_LIST: ChangeView(kViewList); break;
        case CMD_VIEW_LARGE: ChangeView(kViewLargeIcons); break;
        case CMD_VIEW_SMALL: ChangeView(kViewSmallIcons); break;
        case CMD_OPEN: OpenDataFile(); break;
        case CMD_IMPORT: ImportDataFile(); break;
        case CMD_EXPORT_VCARD: ExportVCardFile(); break;
        case CMD_DIAL: DialSelected(DialField::Phone); break;
        case CMD_DIAL_MISC: DialSelected(DialField::Misc); break;
        case CMD_EMAIL: EmailSelected(); break;
        case CMD_NEW_FILE: NewFileCommand(); break;
        case CMD_NEW_CONTACT:
            NewContactCommand(g_contacts, g_listView, g_contactDialog, g_settings.State);
            UpdateStatusLine();
            break;
        case CMD_EDIT:
            EditContactCommand(g_contacts, g_listView, g_contactDialog, g_settings.State);
            UpdateStatusLine();
            break;
        case CMD_DELETE:
            DeleteContactCommand(g_contacts, g_listView);
            UpdateStatusLine();
            break;
        case CMD_MODEM_SETUP: PortSetupCommand(); break;
        case CMD_SETUP: SetupCommand(); break;
        case CMD_COLOURS: ColoursCommand(); break;
        case CMD_BACKUP: BackupCommand(); break;
        case CMD_PRINT: PrintCommand(); break;
        case CMD_INFO: InfoPageCommand(); break;
        case CMD_UPDATES: UpdatePageCommand(); break;
        case CMD_ABOUT: AboutCommand(); break;
        // The popup's Cancel (40002) only closes the popup.
        default: break;
    }
}

void EnablePopupItems(HMENU menu) {
    const Contact* selected = SelectedContact();
    auto set = [menu](int id, bool enabled) {
        EnableMenuItem(menu, static_cast<UINT>(id), MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
    };
    set(CMD_DIAL, CanDial(selected, DialField::Phone));
    set(CMD_DIAL_MISC, CanDial(selected, DialField::Misc));
    set(CMD_EMAIL, HasEmail(selected));
    set(CMD_EDIT, selected != nullptr);
    set(CMD_DELETE, selected != nullptr);
    set(CMD_POPUP_CANCEL, true);
}

void EnableMenuItems(HMENU menu) {
    // An item the menu does not hold is left alone.
    EnableMenuItem(menu, CMD_EXPORT_VCARD, MF_BYCOMMAND | (g_contacts.Count() > 0 ? MF_ENABLED : MF_GRAYED));
}

void NewFileCommand() {
    MainFrame* frame = MainFrame::Current();
    if (g_contacts.Changed() && frame && !frame->CanClose()) return;
    g_contacts.ClearContacts();
    g_contacts.SetChanged(false);
    g_contacts.SetAllSortAscending(false);
    g_settings.Fname[0] = '\0';
    SeenStamp() = FileStamp{};
    DiscardRecoveryCopy();
    g_contacts.ClearContactLine();
    g_contacts.UpdateListStatus();
    UpdateTitle();
}

void ExitCommand() {
    MainFrame* frame = MainFrame::Current();
    if (frame && frame->CanClose()) frame->DestroyOwnWindow();
}
