#include "contacts/FileAccess.h"
#include "contacts/FileWriteCallsWin.h"

#include <windows.h>

#include <cstdio>

FileWriteCalls& SafeWriterCalls() {
    static FileWriteCalls calls = {GetTempFileNameA, CreateFileA, WriteFile};
    return calls;
}

bool ReadWholeFile(const char* path, std::vector<char>& bytes, std::size_t& size) {
    HANDLE file = CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER length;
    bool ok = GetFileSizeEx(file, &length) != 0 && length.QuadPart >= 0 &&
              static_cast<unsigned long long>(length.QuadPart) < static_cast<std::size_t>(-3);
    if (ok) {
        size = static_cast<std::size_t>(length.QuadPart);
        try {
            bytes.assign(size + 2, '\0');
        } catch (...) {
            ok = false;
        }
    }
    std::size_t done = 0;
    while (ok && done < size) {
        DWORD chunk = size - done > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size - done);
        DWORD got = 0;
        if (!ReadFile(file, bytes.data() + done, chunk, &got, nullptr) || got == 0) ok = false;
        done += got;
    }
    CloseHandle(file);
    if (!ok) std::vector<char>().swap(bytes);
    return ok;
}

bool FileReader::Open(const char* path) {
    Close();
    HANDLE file = CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    handle_ = file;
    return true;
}

bool FileReader::Read(char* to, std::size_t room, std::size_t& got) {
    got = 0;
    DWORD read = 0;
    DWORD chunk = room > 0x40000000 ? 0x40000000 : static_cast<DWORD>(room);
    if (!handle_ || !ReadFile(static_cast<HANDLE>(handle_), to, chunk, &read, nullptr)) return false;
    got = read;
    return true;
}

void FileReader::Close() {
    if (handle_) CloseHandle(static_cast<HANDLE>(handle_));
    handle_ = nullptr;
}

SafeFileWriter::~SafeFileWriter() { Abandon(); }

bool SafeFileWriter::Create(const char* path) {
    Abandon();
    if (std::snprintf(target_, sizeof target_, "%s", path) >= static_cast<int>(sizeof target_)) return false;
    // Refuse a target that could not be replaced: read-only, or held open by
    // another program.  Opening it for writing proves both; it is not changed.
    if (TargetRefused()) return false;
    // The new file goes beside the target, so that the final move stays on
    // one volume.
    char folder[260];
    std::snprintf(folder, sizeof folder, "%s", path);
    char* cut = nullptr;
    for (char* p = folder; *p; ++p)
        if (*p == '\\' || *p == '/' || *p == ':') cut = p;
    if (cut)
        cut[*cut == ':' ? 1 : 0] = '\0';
    else
        std::snprintf(folder, sizeof folder, ".");
    if (folder[0] == '\0') std::snprintf(folder, sizeof folder, "\\");
    if (!SafeWriterCalls().getTempFileName(folder, "tlv", 0, temp_)) {
        temp_[0] = '\0';
        return false;
    }
    HANDLE file =
        SafeWriterCalls().createFile(temp_, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        DeleteFileA(temp_);
        temp_[0] = '\0';
        return false;
    }
    handle_ = file;
    return true;
}

bool SafeFileWriter::TargetRefused() const {
    DWORD attributes = GetFileAttributesA(target_);
    if (attributes == INVALID_FILE_ATTRIBUTES) return false;
    if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) return true;
    HANDLE probe = CreateFileA(target_, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (probe == INVALID_HANDLE_VALUE) return true;
    CloseHandle(probe);
    return false;
}

bool SafeFileWriter::Write(const void* data, std::size_t size) {
    if (!handle_) return false;
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        DWORD chunk = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
        DWORD put = 0;
        if (!SafeWriterCalls().writeFile(static_cast<HANDLE>(handle_), p, chunk, &put, nullptr) || put != chunk)
            return false;
        p += put;
        size -= put;
    }
    return true;
}

bool SafeFileWriter::Commit() {
    if (!handle_) return false;
    HANDLE file = static_cast<HANDLE>(handle_);
    handle_ = nullptr;
    bool ok = FlushFileBuffers(file) != 0;
    ok = CloseHandle(file) != 0 && ok;
    ok = ok && MoveFileExA(temp_, target_, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (!ok) DeleteFileA(temp_);
    temp_[0] = '\0';
    return ok;
}

void SafeFileWriter::Abandon() {
    if (handle_) {
        CloseHandle(static_cast<HANDLE>(handle_));
        handle_ = nullptr;
    }
    if (temp_[0]) {
        DeleteFileA(temp_);
        temp_[0] = '\0';
    }
}
