#include "app/InstalledDataFile.h"

#include "contacts/PathText.h"

#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <initializer_list>

namespace {

bool UnderProgramFiles(const char* program) {
    char folder[MAX_PATH];
    for (int csidl : {CSIDL_PROGRAM_FILES, CSIDL_PROGRAM_FILESX86}) {
        if (SUCCEEDED(SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, folder)) &&
            IsPathUnder(program, folder))
            return true;
    }
    // A 32-bit program on 64-bit Windows is given the 32-bit folder for both
    // of the above; the 64-bit one is only in this environment value.
    DWORD length = GetEnvironmentVariableA("ProgramW6432", folder, sizeof folder);
    return length > 0 && length < sizeof folder && IsPathUnder(program, folder);
}

}  // namespace

bool InstalledDataFile(char* out, std::size_t size) {
    char module[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, module, sizeof module);
    if (length == 0 || length >= sizeof module) return false;  // cut at the buffer's end
    // Started through a short (8.3) name, the module's path is short too; the
    // folders come back long.
    char program[MAX_PATH];
    length = GetLongPathNameA(module, program, sizeof program);
    if (length == 0 || length >= sizeof program) std::snprintf(program, sizeof program, "%s", module);
    if (!UnderProgramFiles(program)) return false;
    char documents[MAX_PATH];
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_PERSONAL | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, documents)))
        return false;
    char path[MAX_PATH + 16];
    int written = std::snprintf(path, sizeof path, "%s\\telvara.csv", documents);
    if (written < 0 || static_cast<std::size_t>(written) >= size) return false;
    std::snprintf(out, size, "%s", path);
    return true;
}
