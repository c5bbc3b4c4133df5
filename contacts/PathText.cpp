#include "contacts/PathText.h"

#include <cstdio>
#include <cstring>

bool SetExtension(char* path, std::size_t size, const char* extension) {
    std::size_t length = std::strlen(path);
    if (length == 0) return false;
    std::size_t cut = length;  // where the extension goes
    for (std::size_t i = length; i-- > 0;) {
        char c = path[i];
        if (c == '.') {
            cut = i;
            break;
        }
        if (c == '\\' || c == ':') {
            if (i == length - 1) return false;
            break;
        }
    }
    const char* dot = extension[0] == '.' ? "" : ".";
    std::size_t need = cut + std::strlen(dot) + std::strlen(extension);
    if (need + 1 > size) return false;
    std::snprintf(path + cut, size - cut, "%s%s", dot, extension);
    return true;
}
