#include "app/FileCommands.h"

#include "app/Globals.h"
#include "app/Recovery.h"
#include "app/ShowError.h"
#include "app/WindowTitle.h"
#include "contacts/DataFile.h"
#include "contacts/FileDialog.h"
#include "contacts/TextCompare.h"
#include "contacts/VCardExport.h"
#include "contacts/VCardImport.h"
#include "framework/MainFrame.h"

#include <cstdio>

namespace {

FileStamp g_seen;

void CopyPath(char* to, const char* from) { std::snprintf(to, kPathSize, "%s", from); }

// Saving over a file another program wrote since it was read here would lose
// that program's work without a word.
bool MayWriteOver(const char* path) {
    return !ChangedSince(g_seen, StampOf(path)) || AskYesNo(kMsgChangedByOther, path);
}

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

FileStamp& SeenStamp() { return g_seen; }

void LoadDataFileFrom(const char* path) {
    char chosen[kPathSize];
    CopyPath(chosen, path);
    FileStamp stamp = StampOf(chosen);
    switch (LoadContactFile(g_contacts, chosen)) {
        case LoadResult::CantOpen: ShowError(kMsgCantOpenFile, chosen); return;
        case LoadResult::NotDataFile:
            ShowError(kMsgNotDataFile, chosen);
            g_settings.Fname[0] = '\0';
            g_seen = FileStamp{};
            UpdateTitle();
            return;
        case LoadResult::Loaded:
            CopyPath(g_settings.Fname, chosen);
            g_seen = stamp;
            DiscardRecoveryCopy();
            g_listView.SetView(g_settings.Style);
            UpdateTitle();
            return;
    }
}

// A file that cannot be read at start-up stays the current one: what is seen
// of it then (most often that it does not exist) is what Save compares.
void LoadDataFile() {
    g_seen = StampOf(g_settings.Fname);
    LoadDataFileFrom(g_settings.Fname);
}

bool SaveData() {
    char path[kPathSize];
    bool named = g_settings.Fname[0] != '\0';
    if (named) {
        CopyPath(path, g_settings.Fname);
    } else {
        FileDialog dialog(FileDialog::Mode::Save, kDataFileFilters, "csv");
        if (!dialog.Run(g_listView.Handle(), path, sizeof path)) return false;
    }
    if (named && !MayWriteOver(path)) return false;
    if (!Write(path)) return false;
    g_seen = StampOf(path);
    DiscardRecoveryCopy();
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
    if (!dialog.Run(g_listView.Handle(), path, sizeof path) || !Write(path)) return;
    // Written over the current file (the dialog asked first), it is this
    // program's write, not another's.
    if (CompareNoCase(path, g_settings.Fname) == 0) g_seen = StampOf(path);
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
