#pragma once
// The system's folder browser for the backup place: file-system folders only,
// with a status line, over the whole namespace.  The chosen folder comes back
// ending in exactly one "\", ready for a file name.

#include <windows.h>

#include <cstddef>

class FolderChooser {
public:
    FolderChooser();
    // Shows the browser owned by `owner`; true when a file-system folder was
    // chosen, and `folder` (of `size` bytes, at least MAX_PATH) then holds it.
    // Cancelled or not a folder: false, and `folder` is left as it was.
    bool Run(HWND owner, char* folder, std::size_t size);

private:
    char title_[MAX_PATH];
};
