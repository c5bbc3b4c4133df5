#include "app/Recovery.h"

#include "app/Globals.h"
#include "app/ShowError.h"
#include "app/WindowTitle.h"
#include "contacts/DataFile.h"
#include "contacts/FileAccess.h"
#include "contacts/RecoveryCopy.h"

#include <windows.h>
#include <shlobj.h>

#include <string>
#include <vector>

namespace {

std::string g_runCopy;  // the copy this run wrote, or empty

// The "Telvara" folder of the user's local application data, made when
// missing; empty when there is none.
std::string RecoveryFolder() {
    char base[MAX_PATH];
    if (SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, base) != S_OK)
        return std::string();
    std::string folder = std::string(base) + "\\Telvara";
    if (!CreateDirectoryA(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) return std::string();
    return folder;
}

enum class Offered { Asked, NotThisBook };

// Offers the copy at `copy` when it belongs to the book at `dataPath`; one
// that cannot be read is reported and removed.
Offered Offer(const std::string& copy, const char* dataPath, FileStamp& seen) {
    std::vector<char> bytes;
    std::size_t size = 0;
    CopyNotes notes;
    CopyCheck check = ReadWholeFile(copy.c_str(), bytes, size) ? CheckRecoveryCopy(bytes.data(), size, dataPath, notes)
                                                               : CopyCheck::Unreadable;
    switch (check) {
        case CopyCheck::OtherBook: return Offered::NotThisBook;
        case CopyCheck::Unreadable:
            ShowError(kMsgNotDataFile, copy.c_str());
            DeleteFileA(copy.c_str());
            return Offered::NotThisBook;
        case CopyCheck::ThisBook: break;
    }
    if (AskYesNo(kMsgRestoreChanges, dataPath)) {
        // Out of memory: the copy stays for a later start.
        if (LoadContactText(g_contacts, bytes.data(), size) != LoadResult::Loaded) return Offered::Asked;
        if (!dataPath[0]) g_settings.Fname[0] = '\0';  // a book never saved is restored without a name
        seen = notes.Seen;
        g_contacts.SetChanged(true);
        g_contacts.UpdateListStatus();
        g_listView.SetView(g_settings.Style);
        UpdateTitle();
    }
    DeleteFileA(copy.c_str());
    return Offered::Asked;
}

}  // namespace

bool WriteRecoveryCopy(const FileStamp& seen) {
    std::string folder = RecoveryFolder();
    if (folder.empty()) return false;
    std::string copy = folder + "\\" + RecoveryCopyName(g_settings.Fname, GetCurrentProcessId());
    // A copy of another name from earlier in this run (the book was saved
    // under a name since) holds older changes.
    if (!g_runCopy.empty() && g_runCopy != copy) DiscardRecoveryCopy();
    if (WriteDataFile(g_contacts, copy.c_str(), RecoveryNotes(g_settings.Fname, seen)) != WriteResult::Written)
        return false;
    g_runCopy = copy;
    return true;
}

void DiscardRecoveryCopy() {
    if (g_runCopy.empty()) return;
    DeleteFileA(g_runCopy.c_str());
    g_runCopy.clear();
}

void OfferRecovery(FileStamp& seen) {
    std::string folder = RecoveryFolder();
    if (folder.empty()) return;
    if (g_settings.Fname[0]) {
        std::string own = folder + "\\" + RecoveryCopyName(g_settings.Fname, 0);
        if (GetFileAttributesA(own.c_str()) != INVALID_FILE_ATTRIBUTES &&
            Offer(own, g_settings.Fname, seen) == Offered::Asked)
            return;
    }
    // Otherwise the first copy of a book never saved; any others wait for
    // later starts.
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((folder + "\\" + kUnsavedCopyPattern).c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return;
    std::vector<std::string> copies;
    do copies.push_back(folder + "\\" + found.cFileName);
    while (FindNextFileA(find, &found));
    FindClose(find);
    for (const std::string& copy : copies)
        if (Offer(copy, "", seen) == Offered::Asked) return;
}
