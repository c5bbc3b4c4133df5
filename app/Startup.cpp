#include "app/Startup.h"

#include "app/AppFrame.h"
#include "app/Globals.h"
#include "app/RegistrySettingsStore.h"
#include "app/Dialing.h"
#include "app/FileCommands.h"
#include "app/InstalledDataFile.h"
#include "app/Recovery.h"
#include "app/StatusLine.h"
#include "framework/Dpi.h"
#include "framework/Instance.h"
#include "resources/resource.h"
#include "ui/ColumnWidths.h"
#include "ui/ListImages.h"

#include <commctrl.h>
#include <objbase.h>

namespace {

bool g_comJoined = false;

struct Button {
    const char* Text;
    int Id;
};
const Button kButtons[] = {
    {"Dial", CMD_DIAL},     {"New", CMD_NEW_CONTACT}, {"Edit", CMD_EDIT},
    {"Delete", CMD_DELETE}, {"Info", CMD_INFO},       {"E&xit", CMD_EXIT},
};

}  // namespace

int StartUp(HINSTANCE instance, const char* commandLine, int showCommand) {
    SetProgramInstance(instance);
    RequestPerMonitorAwareness();
    // The shell's calls (ShellExecuteA, the folder chooser) may use COM, in a
    // single-threaded apartment without OLE1 DDE (ShellExecute page), joined
    // before the first window; left by ShutDown only when joined here.
    g_comJoined = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
    {
        RegistrySettingsStore store(kSettingsKey);
        char installedDefault[kPathSize] = "";
        InstalledDataFile(installedDefault, sizeof installedDefault);
        LoadSettings(store, commandLine, g_settings, installedDefault);
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

    if (!SetListImages(g_listView, g_frame.Dpi())) return 0;
    int widths[kColumnCount];  // stored at 96 DPI
    ScaleColumnWidths(g_settings.Cols, g_frame.Dpi(), widths);
    g_listView.InsertColumns(widths);
    g_frame.ShowFrame(showCommand);
    PrepareDialer();
    LoadDataFile();
    OfferRecovery(SeenStamp());
    g_listView.SelectItem(g_settings.Index);
    UpdateStatusLine();
    g_frame.LoadAccelTable(MAKEINTRESOURCEA(IDA_MAIN));
    return 1;
}

void ShutDown() {
    if (g_comJoined) CoUninitialize();
    g_comJoined = false;
}
