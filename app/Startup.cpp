#include "app/Startup.h"

#include "app/AppFrame.h"
#include "app/Globals.h"
#include "app/RegistrySettingsStore.h"
#include "app/Dialing.h"
#include "app/FileCommands.h"
#include "app/Recovery.h"
#include "app/StatusLine.h"
#include "framework/Instance.h"
#include "resources/resource.h"

#include <commctrl.h>

namespace {

struct Button {
    const char* Text;
    int Id;
};
const Button kButtons[] = {
    {"Dial", CMD_DIAL},     {"New", CMD_NEW_CONTACT}, {"Edit", CMD_EDIT},
    {"Delete", CMD_DELETE}, {"Info", CMD_INFO},       {"E&xit", CMD_EXIT},
};

bool MakeImageLists() {
    HIMAGELIST small = ImageList_Create(16, 16, ILC_MASK, 3, 0);
    HIMAGELIST large = ImageList_Create(32, 32, ILC_MASK, 3, 0);
    if (!small || !large) return false;
    for (int id : {IDI_TELEPHONE, IDI_TELEPHONE_RED, IDI_NO_NUMBER}) {
        HICON icon = LoadIconA(ProgramInstance(), MAKEINTRESOURCEA(id));
        if (!icon || ImageList_AddIcon(small, icon) < 0 || ImageList_AddIcon(large, icon) < 0) return false;
    }
    g_listView.SetImageList(small, LVSIL_SMALL);
    g_listView.SetImageList(large, LVSIL_NORMAL);
    return true;
}

}  // namespace

int StartUp(HINSTANCE instance, const char* commandLine, int showCommand) {
    SetProgramInstance(instance);
    {
        RegistrySettingsStore store(kSettingsKey);
        LoadSettings(store, commandLine, g_settings);
    }
    g_statusBar.SetPartCount(3);
    g_statusBar.AddPart(80, 0);
    g_statusBar.AddPart(14, 0);
    g_statusBar.AddPart(7, 0);
    if (!g_frame.CreateFrame(&g_listView, &g_buttonBar, &g_statusBar)) return 0;
    g_listView.SetExtendedStyle(LVS_EX_FULLROWSELECT);

    g_buttonBar.SetButtonCount(6);
    int added = 0;
    for (const Button& b : kButtons) added = g_buttonBar.AddButton(b.Text, 60, b.Id, 0);
    if (!added) return 0;

    if (!MakeImageLists()) return 0;
    g_listView.InsertColumns(g_settings.Cols);
    g_frame.ShowFrame(showCommand);
    PrepareDialer();
    LoadDataFile();
    OfferRecovery(SeenStamp());
    g_listView.SelectItem(g_settings.Index);
    UpdateStatusLine();
    g_frame.LoadAccelTable(MAKEINTRESOURCEA(IDA_MAIN));
    return 1;
}
