#include "contacts/LineReader.h"

#include "contacts/FileAccess.h"

#include <cstring>
#include <utility>

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

void LineReader::Adopt(std::vector<char>&& block, std::size_t size) {
    block_ = std::move(block);
    size_ = size;
    pos_ = 0;
}

void LineReader::Release() {
    std::vector<char>().swap(block_);
    size_ = pos_ = 0;
}

void LineReader::ReadLine(std::string& line) {
    line.clear();
    if (pos_ >= size_) return;
    const char* data = block_.data();
    const char* p = data + pos_;
    const char* end = data + size_;
    const void* lf = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
    const char* stop = lf ? static_cast<const char*>(lf) : end;
    pos_ = lf ? static_cast<std::size_t>(stop - data) + 1 : size_;
    // Copy the runs between carriage returns and tabs at once.  Each of the
    // two is looked for once past the last one found, so a line full of them
    // costs no more than any other.
    auto find = [stop](const char* from, char c) {
        const void* at = std::memchr(from, c, static_cast<std::size_t>(stop - from));
        return at ? static_cast<const char*>(at) : stop;
    };
    const char* cr = find(p, '\r');
    const char* tab = find(p, '\t');
    for (;;) {
        const char* q = cr < tab ? cr : tab;
        line.append(p, static_cast<std::size_t>(q - p));
        if (q == stop) break;
        p = q + 1;
        if (q == cr) {
            cr = find(p, '\r');  // dropped
            continue;
        }
        tab = find(p, '\t');
        if (expandTabs_)
            line.append(kTabWidth - line.size() % kTabWidth, ' ');
        else
            line.push_back('\t');
    }
}
