#include "ui/Title.h"

#include <cstdio>

const char kProgramName[] = "Telvara";

const char* FileNamePart(const char* path) {
    const char* name = path;
    for (const char* p = path; *p; ++p)
        if (*p == '\\' || *p == ':' || *p == '/') name = p + 1;
    return name;
}

void BuildTitle(const char* path, char* out, std::size_t size) {
    std::snprintf(out, size, "%.99s - %s", FileNamePart(path ? path : ""), kProgramName);
}
