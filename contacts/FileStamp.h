#pragma once
// What the program last saw of a data file on disk, its last-write time and
// size, so that a save can tell whether another program wrote the file since.

#include <cstdint>

struct FileStamp {
    bool Exists = false;
    std::uint64_t WriteTime = 0;  // 100-nanosecond units, as the file system keeps it
    std::uint64_t Size = 0;
};

// True when writing over the file now would lose another program's work: it
// was written since it was seen, or it exists now and did not then.  A file
// that has gone loses nothing.
inline bool ChangedSince(const FileStamp& seen, const FileStamp& now) {
    if (!now.Exists) return false;
    return !seen.Exists || seen.WriteTime != now.WriteTime || seen.Size != now.Size;
}

// The file as it is now; Exists is false when it cannot be looked at.
FileStamp StampOf(const char* path);
