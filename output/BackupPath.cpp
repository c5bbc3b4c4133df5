#include "output/BackupPath.h"

#include "ui/Title.h"  // FileNamePart, the same rule as the title's

#include <cinttypes>
#include <cstdio>
#include <cstring>

bool ComposeBackupPath(const char* folder, const char* dataFile, char* out, std::size_t size) {
    std::size_t folderLength = std::strlen(folder);
    bool hasSeparator = folderLength > 0 && folder[folderLength - 1] == '\\';
    const char* name = FileNamePart(dataFile);
    std::size_t nameLength = std::strlen(name);
    if (nameLength > kBackupNameMax) nameLength = kBackupNameMax;
    std::size_t total = folderLength + (hasSeparator ? 0 : 1) + nameLength;
    if (total + 1 > size) return false;
    std::snprintf(out, size, "%s%s%.*s", folder, hasSeparator ? "" : "\\", static_cast<int>(nameLength), name);
    return true;
}

void FormatKilobytes(std::uint64_t bytes, char* out, std::size_t size) {
    std::snprintf(out, size, "%" PRIu64 "k", bytes / 1024);
}
