#pragma once
// A text file read whole into memory and handed out line by line.  Lines end
// at a line feed or at the end of the data; carriage returns are dropped
// wherever they stand.  A line is always returned whole, however long, so a
// long line can never be mistaken for two.

#include <cstddef>
#include <string>
#include <vector>

class LineReader {
public:
    static constexpr int kTabWidth = 8;

    explicit LineReader(bool expandTabs) : expandTabs_(expandTabs) {}

    // Opens an existing file without sharing and reads it whole.
    bool ReadFile(const char* path);
    // Reads from text already in memory (copied).
    void Assign(const char* data, std::size_t size);
    // Takes over a block as ReadWholeFile fills it: the data, then two zero bytes.
    void Adopt(std::vector<char>&& block, std::size_t size);
    void Release();

    // The next line, without its line end; empty at the end of the data.
    void ReadLine(std::string& line);
    bool AtEnd() const { return pos_ >= size_; }

    bool ExpandTabs() const { return expandTabs_; }

private:
    std::vector<char> block_;  // the data and two zero bytes
    std::size_t size_ = 0;
    std::size_t pos_ = 0;
    bool expandTabs_;
};
