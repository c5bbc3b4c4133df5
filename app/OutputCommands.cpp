#include "app/OutputCommands.h"

#include "app/Globals.h"
#include "app/ShowError.h"
#include "output/BackupDialog.h"
#include "output/InfoCommands.h"
#include "output/PrintCommand.h"
#include "output/TemporaryPages.h"

namespace {

// Built before the entry runs; its destructor removes both pages at exit.
TemporaryPages g_pages;

}  // namespace

void PrintCommand() {
    PrintSettings settings{g_settings.PrintBits, g_settings.PrintSize};
    PrintResult result =
        PrintList(MainWindow(), g_contacts, settings, g_settings.Fname, g_contacts.Changed(), g_pages.PrintPage());
    g_settings.PrintBits = settings.PrintBits;
    g_settings.PrintSize = settings.PrintSize;
    if (result == PrintResult::NoMemory) ShowError(kMsgOutOfMemory, "");
    if (result == PrintResult::NotWritten) ShowError(kMsgCantWriteFile, g_pages.PrintPage());
}

void BackupCommand() {
    RunBackupDialog(g_listView.Handle(), g_settings.Fname, g_settings.Backup, sizeof g_settings.Backup);
}

void InfoPageCommand() { ShowInfoPage(g_pages.HelpPage()); }

void UpdatePageCommand() { OpenUpdatePage(MainWindow()); }

void AboutCommand() { ShowAbout(g_aboutBox, MainWindow()); }
