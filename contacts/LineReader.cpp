#include "contacts/LineReader.h"

#include "contacts/FileAccess.h"

#include <cstring>

bool LineReader::ReadFile(const char* path) {
    Release();
    std::size_t size = 0;
    if (!ReadWholeFile(path, block_, size)) return false;
    size_ = size;
    return true;
}

void LineReader::Assign(const char* data, std::size_t size) {
    block_.assign(data, data + size);
    block_.push_back('\0');
    block_.push_back('\0');
    size_ = size;
    pos_ = 0;
}

void LineReader::Release() {
    std::vector<char>().swap(block_);
    size_ = pos_ = 0;
}

void LineReader::ReadLine(std::string& line) {
    line.clear();
    const char* data = block_.data();
    while (pos_ < size_) {
        // Copy the run of ordinary characters at once.
        std::size_t run = pos_;
        while (run < size_ && data[run] != '\n' && data[run] != '\r' && data[run] != '\t') ++run;
        line.append(data + pos_, run - pos_);
        pos_ = run;
        if (pos_ >= size_) break;
        char c = data[pos_++];
        if (c == '\n') break;
        if (c == '\r') continue;
        if (expandTabs_)
            line.append(kTabWidth - line.size() % kTabWidth, ' ');
        else
            line.push_back(c);
    }
}
