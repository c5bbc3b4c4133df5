#pragma once
// Whole-file reads and safe whole-file writes.  Both open the file without
// sharing, so a file another program holds open is refused rather than read
// half-written.

#include <cstddef>
#include <vector>

// Reads an existing file whole.  Two zero bytes follow the data in `bytes`,
// which hold the file's size plus two; `size` is the file's size.
bool ReadWholeFile(const char* path, std::vector<char>& bytes, std::size_t& size);

// A file read a piece at a time, opened as ReadWholeFile opens it: for files
// too large to be worth holding whole.
class FileReader {
public:
    FileReader() = default;
    ~FileReader() { Close(); }
    FileReader(const FileReader&) = delete;
    FileReader& operator=(const FileReader&) = delete;

    bool Open(const char* path);
    // Up to `room` bytes; `got` is 0 at the end.  False when reading fails.
    bool Read(char* to, std::size_t room, std::size_t& got);
    void Close();

private:
    void* handle_ = nullptr;
};

// Writes a file so that the old one is replaced only once every byte of the
// new one is on disk: the data goes to a new file in the same folder, which
// Commit moves over the target.  Destroying an uncommitted writer removes the
// new file and leaves the target as it was.
class SafeFileWriter {
public:
    SafeFileWriter() = default;
    ~SafeFileWriter();
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    // False when the target cannot be written (a missing folder, a read-only
    // or locked file) or the new file cannot be made.
    bool Create(const char* path);
    bool Write(const void* data, std::size_t size);
    // Flushes, closes and moves the new file over the target.
    bool Commit();
    // True when the target exists but cannot be replaced: read-only, a folder,
    // or held open by another program.
    bool TargetRefused() const;
    void Abandon();

private:
    void* handle_ = nullptr;
    char target_[260] = {};
    char temp_[260] = {};
};
