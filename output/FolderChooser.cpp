#include "output/FolderChooser.h"

#include "framework/ModalScope.h"

#include <objbase.h>
#include <shlobj.h>

#include <cstdio>
#include <cstring>

FolderChooser::FolderChooser() { std::snprintf(title_, sizeof title_, "%s", "Choose new folder:"); }

bool FolderChooser::Run(HWND owner, char* folder, std::size_t size) {
    if (size < MAX_PATH) return false;
    IMalloc* allocator = nullptr;
    if (FAILED(SHGetMalloc(&allocator)) || !allocator) return false;
    // The browser's tree is a COM object; it wants an apartment on this thread.
    HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    char chosen[MAX_PATH] = "";
    BROWSEINFOA info = {};
    info.hwndOwner = owner;
    info.pidlRoot = nullptr;
    info.pszDisplayName = chosen;
    info.lpszTitle = title_;
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT | BIF_RETURNFSANCESTORS;
    LPITEMIDLIST item;
    {
        ModalScope open;
        item = SHBrowseForFolderA(&info);
    }
    bool ok = false;
    if (item) {
        ok = SHGetPathFromIDListA(item, chosen) != FALSE && chosen[0] != '\0';
        allocator->Free(item);
    }
    allocator->Release();
    if (SUCCEEDED(com)) CoUninitialize();
    if (!ok) return false;
    // A drive root already ends in "\"; every other folder gets one.
    std::size_t length = std::strlen(chosen);
    if (chosen[length - 1] != '\\') {
        if (length + 2 > size) return false;
        chosen[length] = '\\';
        chosen[length + 1] = '\0';
    }
    std::snprintf(folder, size, "%s", chosen);
    return true;
}
