#include "output/PagePaths.h"

#include <cstdio>
#include <cstring>

const char kPrintPageName[] = "Telvara.htm";
const char kHelpPageName[] = "BrackwenHelp.htm";

void ComposePagePath(const char* tempFolder, const char* name, char* out, std::size_t size) {
    if (size == 0) return;
    std::size_t folderLength = tempFolder ? std::strlen(tempFolder) : 0;
    if (folderLength == 0 || folderLength + std::strlen(name) + 1 > size) tempFolder = "\\";
    std::snprintf(out, size, "%s%s", tempFolder, name);
}
