#include "contacts/RecoveryCopy.h"

#include "contacts/DataFile.h"

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>

const char kUnsavedCopyPattern[] = "unsaved-*.csv";

namespace {

const char kBookNote[] = "; Book: ";
const char kSeenNote[] = "; Seen: ";

// A path as the file system compares it, for the plain letters and the two
// separators.
char Folded(char c) {
    if (c >= 'a' && c <= 'z') return static_cast<char>(c - 'a' + 'A');
    return c == '/' ? '\\' : c;
}

bool SamePath(const char* a, const char* b) {
    for (; *a && *b; ++a, ++b)
        if (Folded(*a) != Folded(*b)) return false;
    return *a == *b;
}

bool StartsWith(const std::string& line, const char* prefix) {
    return line.compare(0, std::strlen(prefix), prefix) == 0;
}

}  // namespace

std::string RecoveryCopyName(const char* dataPath, unsigned long processId) {
    char name[80];
    if (!dataPath || !dataPath[0]) {
        std::snprintf(name, sizeof name, "unsaved-%lu.csv", processId);
        return name;
    }
    // The file's own name, so that a user who looks can tell the copies
    // apart, then a hash of the whole path, so that books of one name in
    // different folders keep apart too.
    const char* base = dataPath;
    for (const char* p = dataPath; *p; ++p)
        if (*p == '\\' || *p == '/' || *p == ':') base = p + 1;
    std::string stem;
    for (const char* p = base; *p && *p != '.' && stem.size() < 32; ++p) {
        char c = (*p >= 'A' && *p <= 'Z') ? static_cast<char>(*p - 'A' + 'a') : *p;
        bool plain = (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-';
        stem += plain ? c : '_';
    }
    std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (const char* p = dataPath; *p; ++p) {
        hash ^= static_cast<unsigned char>(Folded(*p));
        hash *= 1099511628211ull;
    }
    std::snprintf(name, sizeof name, "book-%s-%016" PRIx64 ".csv", stem.c_str(), hash);
    return name;
}

std::string RecoveryNotes(const char* dataPath, const FileStamp& seen) {
    std::string notes = std::string(kBookNote) + (dataPath ? dataPath : "") + "\r\n" + kSeenNote;
    if (seen.Exists) {
        char numbers[48];
        std::snprintf(numbers, sizeof numbers, "%" PRIu64 " %" PRIu64, seen.WriteTime, seen.Size);
        notes += numbers;
    } else {
        notes += "none";
    }
    return notes + "\r\n";
}

CopyCheck CheckRecoveryCopy(const char* data, std::size_t size, const char* dataPath, CopyNotes& notes) {
    std::string lines[2];
    bool hasBook = false, hasSeen = false;
    std::size_t pos = 0;
    for (int n = 0; pos < size; ++n) {
        const char* end = static_cast<const char*>(std::memchr(data + pos, '\n', size - pos));
        std::size_t next = end ? static_cast<std::size_t>(end - data) + 1 : size;
        std::string line(data + pos, next - pos);
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
        pos = next;
        if (n < 2) {
            lines[n] = line;
            continue;
        }
        if (line.empty() || line[0] != ';') break;  // the notes end where the records begin
        if (StartsWith(line, kBookNote)) {
            notes.DataPath = line.substr(std::strlen(kBookNote));
            hasBook = true;
        } else if (StartsWith(line, kSeenNote)) {
            const char* text = line.c_str() + std::strlen(kSeenNote);
            char* rest = nullptr;
            notes.Seen = FileStamp{};
            hasSeen = std::strcmp(text, "none") == 0;
            if (!hasSeen && *text >= '0' && *text <= '9') {
                notes.Seen.WriteTime = std::strtoull(text, &rest, 10);
                if (*rest == ' ' && rest[1] >= '0' && rest[1] <= '9') {
                    notes.Seen.Size = std::strtoull(rest + 1, &rest, 10);
                    notes.Seen.Exists = hasSeen = *rest == '\0';
                }
            }
        }
    }
    if (!IsDataFileHeader(lines[0].c_str(), lines[1].c_str()) || !hasBook || !hasSeen) return CopyCheck::Unreadable;
    return SamePath(notes.DataPath.c_str(), dataPath ? dataPath : "") ? CopyCheck::ThisBook : CopyCheck::OtherBook;
}
