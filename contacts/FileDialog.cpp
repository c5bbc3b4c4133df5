#include "contacts/FileDialog.h"

#include "contacts/PathText.h"
#include "framework/ModalScope.h"

#include <commdlg.h>

const char kDataFileFilters[] = "Data files(*.CSV)\0*.CSV\0All files(*.*)\0*.*\0";
const char kOldFileFilters[] = "Data files(*.DAT)\0*.DAT\0vCard files(*.vcf)\0*.vcf\0All files(*.*)\0*.*\0";

FileDialog::FileDialog(Mode mode, const char* filters, const char* extension)
    : mode_(mode), filters_(filters), extension_(extension) {}

DWORD FileDialog::Flags() const {
    if (mode_ == Mode::Open) return OFN_HIDEREADONLY;
    return OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT | OFN_NOREADONLYRETURN;
}

bool FileDialog::Run(HWND owner, char* path, DWORD size) {
    path[0] = '\0';
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filters_;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = path;
    ofn.nMaxFile = size;
    ofn.Flags = Flags();
    ofn.lpstrDefExt = extension_;
    BOOL chosen;
    {
        ModalScope open;  // the main window starts nothing and stays while it is open
        chosen = mode_ == Mode::Open ? GetOpenFileNameA(&ofn) : GetSaveFileNameA(&ofn);
    }
    if (!chosen) return false;
    // A name that cannot take the extension is refused rather than used
    // under another name than the one shown.
    if (extension_ && !SetExtension(path, size, extension_)) return false;
    return true;
}
