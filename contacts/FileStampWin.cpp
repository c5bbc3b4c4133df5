#include "contacts/FileStamp.h"

#include <windows.h>

FileStamp StampOf(const char* path) {
    FileStamp stamp;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!path || !path[0] || !GetFileAttributesExA(path, GetFileExInfoStandard, &data)) return stamp;
    stamp.Exists = true;
    stamp.WriteTime = (std::uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) | data.ftLastWriteTime.dwLowDateTime;
    stamp.Size = (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
    return stamp;
}
