#include "output/BackupDialog.h"

#include "framework/CentreWindow.h"
#include "framework/DialogState.h"
#include "framework/Instance.h"
#include "framework/ModalScope.h"
#include "framework/ProgramBox.h"
#include "output/BackupPath.h"
#include "output/FolderChooser.h"
#include "resources/resource.h"

#include <cstdio>

namespace {

constexpr std::size_t kDestinationSize = MAX_PATH;

struct BackupState {
    const char* DataFile;
    char* Backup;
    std::size_t BackupSize;
    BackupResult Result;
    FolderChooser Chooser;
};

// The data file's size as "12k"; empty when it cannot be opened.
void ShowSize(HWND dialog, const char* dataFile) {
    char text[32] = "";
    HANDLE file = CreateFileA(dataFile, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        LARGE_INTEGER size;
        if (GetFileSizeEx(file, &size)) FormatKilobytes(static_cast<std::uint64_t>(size.QuadPart), text, sizeof text);
        CloseHandle(file);
    }
    SetDlgItemTextA(dialog, IDC_BACKUP_SIZE, text);
}

void Init(HWND dialog, BackupState& state) {
    SetDlgItemTextA(dialog, IDC_BACKUP_SOURCE, state.DataFile);
    SendDlgItemMessageA(dialog, IDC_BACKUP_DEST, EM_LIMITTEXT, kDestinationSize - 1, 0);
    SetDlgItemTextA(dialog, IDC_BACKUP_DEST, state.Backup);
    ShowSize(dialog, state.DataFile);
    CentreWindow(dialog);
}

void Browse(HWND dialog, BackupState& state) {
    char folder[kDestinationSize] = "";
    if (!state.Chooser.Run(dialog, folder, sizeof folder)) return;
    char destination[kDestinationSize];
    if (!ComposeBackupPath(folder, state.DataFile, destination, sizeof destination)) return;
    SetDlgItemTextA(dialog, IDC_BACKUP_DEST, destination);
}

void Copy(HWND dialog, BackupState& state) {
    char destination[kDestinationSize] = "";
    GetDlgItemTextA(dialog, IDC_BACKUP_DEST, destination, sizeof destination);
    std::snprintf(state.Backup, state.BackupSize, "%s", destination);
    if (destination[0] && CopyFileA(state.DataFile, destination, FALSE)) {
        state.Result = BackupResult::Copied;
    } else {
        state.Result = BackupResult::Failed;
        ShowProgramBox(dialog, "Backup failed", "", MB_OK | MB_ICONSTOP);
    }
    EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK BackupDialogProc(HWND dialog, UINT message, WPARAM w, LPARAM l) {
    auto* state = DialogState<BackupState>(dialog, message, l);
    if (message == WM_INITDIALOG) {
        Init(dialog, *state);
        return TRUE;
    }
    if (message != WM_COMMAND || !state) return FALSE;
    switch (LOWORD(w)) {
        case IDC_BACKUP_BROWSE: Browse(dialog, *state); return TRUE;
        case IDOK: Copy(dialog, *state); return TRUE;
        case IDCANCEL: EndDialog(dialog, IDCANCEL); return TRUE;
        default: return FALSE;
    }
}

}  // namespace

BackupResult RunBackupDialog(HWND owner, const char* dataFile, char* backup, std::size_t backupSize) {
    BackupState state{dataFile, backup, backupSize, BackupResult::Cancelled, FolderChooser()};
    ModalScope open;
    INT_PTR result = DialogBoxParamA(ProgramInstance(), MAKEINTRESOURCEA(IDD_BACKUP), owner, &BackupDialogProc,
                                     reinterpret_cast<LPARAM>(&state));
    return result == -1 ? BackupResult::NotShown : state.Result;
}
