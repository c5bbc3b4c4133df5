#include "contacts/FileAccess.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
int Fd(void* handle) { return static_cast<int>(reinterpret_cast<std::intptr_t>(handle)) - 1; }
void* Handle(int fd) { return reinterpret_cast<void*>(static_cast<std::intptr_t>(fd + 1)); }

// A regular file opened for reading, or -1.
int OpenRegularFile(const char* path) {
    int fd = open(path, O_RDONLY);
    if (fd < 0) return -1;
    struct stat info;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        return -1;
    }
    return fd;
}
}  // namespace

bool FileReader::Open(const char* path) {
    Close();
    int fd = OpenRegularFile(path);
    if (fd < 0) return false;
    handle_ = Handle(fd);
    return true;
}

bool FileReader::Read(char* to, std::size_t room, std::size_t& got) {
    got = 0;
    if (!handle_) return false;
    ssize_t n = read(Fd(handle_), to, room);
    if (n < 0) return false;
    got = static_cast<std::size_t>(n);
    return true;
}

void FileReader::Close() {
    if (handle_) close(Fd(handle_));
    handle_ = nullptr;
}

bool ReadWholeFile(const char* path, std::vector<char>& bytes, std::size_t& size) {
    int fd = OpenRegularFile(path);
    if (fd < 0) return false;
    struct stat info;
    if (fstat(fd, &info) != 0) {
        close(fd);
        return false;
    }
    size = static_cast<std::size_t>(info.st_size);
    try {
        bytes.assign(size + 2, '\0');
    } catch (...) {
        close(fd);
        return false;
    }
    std::size_t done = 0;
    while (done < size) {
        ssize_t got = read(fd, bytes.data() + done, size - done);
        if (got <= 0) break;
        done += static_cast<std::size_t>(got);
    }
    close(fd);
    if (done != size) {
        std::vector<char>().swap(bytes);
        return false;
    }
    return true;
}

SafeFileWriter::~SafeFileWriter() { Abandon(); }

bool SafeFileWriter::TargetRefused() const { return access(target_, F_OK) == 0 && access(target_, W_OK) != 0; }

bool SafeFileWriter::Create(const char* path) {
    Abandon();
    if (std::snprintf(target_, sizeof target_, "%s", path) >= static_cast<int>(sizeof target_)) return false;
    if (TargetRefused()) return false;
    if (std::snprintf(temp_, sizeof temp_, "%s.XXXXXX", path) >= static_cast<int>(sizeof temp_)) return false;
    int fd = mkstemp(temp_);
    if (fd < 0) {
        temp_[0] = '\0';
        return false;
    }
    handle_ = Handle(fd);
    return true;
}

bool SafeFileWriter::Write(const void* data, std::size_t size) {
    if (!handle_) return false;
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        ssize_t put = write(Fd(handle_), p, size);
        if (put <= 0) return false;
        p += put;
        size -= static_cast<std::size_t>(put);
    }
    return true;
}

bool SafeFileWriter::Commit() {
    if (!handle_) return false;
    int fd = Fd(handle_);
    handle_ = nullptr;
    bool ok = fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    ok = ok && chmod(temp_, 0644) == 0 && rename(temp_, target_) == 0;
    if (!ok) unlink(temp_);
    temp_[0] = '\0';
    return ok;
}

void SafeFileWriter::Abandon() {
    if (handle_) {
        close(Fd(handle_));
        handle_ = nullptr;
    }
    if (temp_[0]) {
        unlink(temp_);
        temp_[0] = '\0';
    }
}
