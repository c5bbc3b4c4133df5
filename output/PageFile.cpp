#include "output/PageFile.h"

#include <shellapi.h>

bool WritePageFile(const char* path, const char* text, std::size_t size) {
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool ok = true;
    std::size_t done = 0;
    while (ok && done < size) {
        DWORD chunk = size - done > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size - done);
        DWORD written = 0;
        ok = WriteFile(file, text + done, chunk, &written, nullptr) && written == chunk;
        done += written;
    }
    if (!CloseHandle(file)) ok = false;
    if (!ok) DeleteFileA(path);
    return ok;
}

void OpenPage(HWND owner, const char* path) { ShellExecuteA(owner, "open", path, nullptr, "", SW_SHOWNORMAL); }
