#include "contacts/PathText.h"

#include <cstdio>
#include <cstring>

bool ForceExtension(char* path, std::size_t size, const char* extension) {
    std::size_t cut = std::strlen(path);
    for (std::size_t i = cut; i-- > 0;) {
        if (path[i] == '.') {
            cut = i;
            break;
        }
        if (path[i] == '\\' || path[i] == ':') break;
    }
    if (cut + 1 + std::strlen(extension) + 1 > size) return false;
    std::snprintf(path + cut, size - cut, ".%s", extension);
    return true;
}
