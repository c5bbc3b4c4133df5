#include "app/FileCommands.h"

#include "app/Globals.h"
#include "app/ShowError.h"
#include "app/WindowTitle.h"
#include "contacts/DataFile.h"
#include "contacts/FileDialog.h"
#include "contacts/VCardExport.h"
#include "contacts/VCardImport.h"
#include "framework/MainFrame.h"

#include <cstdio>

namespace {

void CopyPath(char* to, const char* from) { std::snprintf(to, kPathSize, "%s", from); }

// True when the file was written; false after the user has been told why
// not.  The old file stays as it was whenever a write fails.
bool Told(WriteResult result, const char* path) {
    switch (result) {
        case WriteResult::Written: return true;
        case WriteResult::CantCreate: ShowError(kMsgCantOpenFile, path); return false;
        case WriteResult::WriteFailed: ShowError(kMsgCantWriteFile, path); return false;
    }
    return false;
}

bool Write(const char* path) { return Told(WriteDataFile(g_contacts, path), path); }

}  // namespace

void LoadDataFileFrom(const char* path) {
    char chosen[kPathSize];
    CopyPath(chosen, path);
    switch (LoadContactFile(g_contacts, chosen)) {
        case LoadResult::CantOpen: ShowError(kMsgCantOpenFile, chosen); return;
        case LoadResult::NotDataFile:
            ShowError(kMsgNotDataFile, chosen);
            g_settings.Fname[0] = '\0';
            UpdateTitle();
            return;
        case LoadResult::Loaded:
            CopyPath(g_settings.Fname, chosen);
            g_listView.SetView(g_settings.Style);
            UpdateTitle();
            return;
    }
}

void LoadDataFile() { LoadDataFileFrom(g_settings.Fname); }

bool SaveData() {
    char path[kPathSize];
    bool named = g_settings.Fname[0] != '\0';
    if (named) {
        CopyPath(path, g_settings.Fname);
    } else {
        FileDialog dialog(FileDialog::Mode::Save, kDataFileFilters, "csv");
        if (!dialog.Run(g_listView.Handle(), path, sizeof path)) return false;
    }
    if (!Write(path)) return false;
    if (!named) {
        CopyPath(g_settings.Fname, path);
        UpdateTitle();
    }
    g_contacts.SetChanged(false);
    g_contacts.UpdateListStatus();
    return true;
}

void SaveDataAs() {
    char path[kPathSize];
    FileDialog dialog(FileDialog::Mode::Save, kDataFileFilters, "csv");
    if (dialog.Run(g_listView.Handle(), path, sizeof path)) Write(path);
}

void OpenDataFile() {
    if (MainFrame* frame = MainFrame::Current(); frame && !frame->CanClose()) return;
    char path[kPathSize];
    FileDialog dialog(FileDialog::Mode::Open, kDataFileFilters, "csv");
    if (!dialog.Run(g_listView.Handle(), path, sizeof path)) return;
    LoadDataFileFrom(path);
}

void ImportDataFile() {
    char path[kPathSize];
    FileDialog dialog(FileDialog::Mode::Open, kOldFileFilters, nullptr);
    if (!dialog.Run(MainWindow(), path, sizeof path)) return;
    switch (ImportFile(g_contacts, path)) {
        case ImportResult::CantOpen: ShowError(kMsgCantOpenFile, ""); break;
        case ImportResult::NotDataFile: ShowError(kMsgNotDataFile, path); break;
        case ImportResult::Imported: break;
    }
}

void ExportVCardFile() {
    if (g_contacts.Count() == 0) return;  // nothing to export: the menu greys it
    char path[kPathSize];
    FileDialog dialog(FileDialog::Mode::Save, kVCardFilters, "vcf");
    if (dialog.Run(g_listView.Handle(), path, sizeof path)) Told(WriteVCardFile(g_contacts, path), path);
}
