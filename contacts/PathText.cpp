#include "contacts/PathText.h"

#include <cstdio>
#include <cstring>

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }
char Folded(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool IsPathUnder(const char* path, const char* folder) {
    if (!path || !folder) return false;
    std::size_t n = std::strlen(folder);
    while (n > 0 && IsSeparator(folder[n - 1])) --n;
    if (n == 0) return false;
    for (std::size_t i = 0; i < n; ++i) {
        if (!path[i]) return false;
        bool same = IsSeparator(folder[i]) ? IsSeparator(path[i]) : Folded(path[i]) == Folded(folder[i]);
        if (!same) return false;
    }
    return path[n] == '\0' || IsSeparator(path[n]);
}

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
