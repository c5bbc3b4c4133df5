#include "contacts/FileDialog.h"

#include "contacts/PathText.h"
#include "framework/ModalScope.h"
#include "framework/ProgramBox.h"

#include <commdlg.h>

#include <cstdio>

const char kDataFileFilters[] = "Data files(*.CSV)\0*.CSV\0All files(*.*)\0*.*\0";
const char kOldFileFilters[] = "Data files(*.DAT)\0*.DAT\0vCard files(*.vcf)\0*.vcf\0All files(*.*)\0*.*\0";
const char kVCardFilters[] = "vCard files(*.vcf)\0*.vcf\0";

FileDialog::FileDialog(Mode mode, const char* filters, const char* extension)
    : mode_(mode), filters_(filters), extension_(extension) {}

DWORD FileDialog::Flags() const {
    if (mode_ == Mode::Open) return OFN_HIDEREADONLY;
    DWORD flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOREADONLYRETURN;
    // OFN_OVERWRITEPROMPT asks about the name the dialog returns, and
    // lpstrDefExt is added only to a name typed without an extension: a name
    // whose extension is then replaced would be asked about as the wrong
    // file.  Run asks about the file it returns instead.
    if (!extension_) flags |= OFN_OVERWRITEPROMPT;
    return flags;
}

namespace {

// Whether the user lets an existing file at `path` be replaced; true when
// there is none.
bool MayReplace(HWND owner, const char* path) {
    DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return true;
    char question[400];
    std::snprintf(question, sizeof question, "%s already exists.\nDo you want to replace it?", path);
    return ShowProgramBox(owner, question, "Telvara", MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2) == IDYES;
}

}  // namespace

bool FileDialog::Run(HWND owner, char* path, DWORD size) {
    path[0] = '\0';
    // Until a name is chosen that may be used: a file the user will not have
    // replaced shows the dialog again, at that name.
    for (;;) {
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
        if (!extension_) return true;
        // A name that cannot take the extension is refused rather than used
        // under another name than the one shown.
        if (!SetExtension(path, size, extension_)) return false;
        if (mode_ == Mode::Open || MayReplace(owner, path)) return true;
    }
}
