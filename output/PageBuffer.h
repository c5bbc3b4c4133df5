#pragma once
// The growing text in which a page is built before it is written out: one
// block of memory that grows in whole steps when the next text would not fit,
// by at least half its size each time.
// A growth that fails drops that text and marks the buffer failed, so the
// caller can tell a whole page from one with pieces missing.

#include <cstddef>

class PageBuffer {
public:
    // How the block is had and grown, with realloc's contract (a null block
    // asks for a new one; null back means no memory); it is freed with free.
    // Tests pass one that fails.
    using Reallocate = void* (*)(void* block, std::size_t size);

    explicit PageBuffer(Reallocate reallocate = nullptr);
    ~PageBuffer();
    PageBuffer(const PageBuffer&) = delete;
    PageBuffer& operator=(const PageBuffer&) = delete;

    // Releases any block and takes a new, empty one of `capacity` bytes; false
    // (and failed) when it cannot be had.
    bool Reset(std::size_t capacity, std::size_t step);
    void Append(const char* text);
    void Append(const char* text, std::size_t length);
    void Release();

    // True once a text has been dropped, or when there is no block.
    bool Failed() const { return failed_; }
    const char* Text() const { return block_ ? block_ : ""; }
    std::size_t Used() const { return used_; }
    std::size_t Capacity() const { return capacity_; }

private:
    Reallocate reallocate_;
    char* block_ = nullptr;
    std::size_t capacity_ = 0;
    std::size_t used_ = 0;
    std::size_t step_ = 0;
    bool failed_ = true;
};
