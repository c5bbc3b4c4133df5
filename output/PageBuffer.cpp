#include "output/PageBuffer.h"

#include <cstdlib>
#include <cstring>

namespace {
void* SystemReallocate(void* block, std::size_t size) { return std::realloc(block, size); }
}  // namespace

PageBuffer::PageBuffer(Reallocate reallocate) : reallocate_(reallocate ? reallocate : &SystemReallocate) {}

PageBuffer::~PageBuffer() { Release(); }

void PageBuffer::Release() {
    std::free(block_);
    block_ = nullptr;
    capacity_ = 0;
    used_ = 0;
    failed_ = true;
}

bool PageBuffer::Reset(std::size_t capacity, std::size_t step) {
    Release();
    step_ = step;
    if (capacity == 0) return false;
    block_ = static_cast<char*>(reallocate_(nullptr, capacity));
    if (!block_) return false;
    capacity_ = capacity;
    block_[0] = '\0';
    failed_ = false;
    return true;
}

void PageBuffer::Append(const char* text) { Append(text, std::strlen(text)); }

void PageBuffer::Append(const char* text, std::size_t length) {
    if (!block_) {
        failed_ = true;
        return;
    }
    if (length >= capacity_ - used_) {
        // Room for the text and its terminator, in whole steps.  Each growth
        // adds at least half of what is there, so that a page of a hundred
        // thousand contacts is moved a few dozen times rather than hundreds
        // (where the heap copies on every growth, that is quadratic).
        std::size_t needed = used_ + length + 1;
        std::size_t grown = capacity_;
        while (grown < needed || grown - capacity_ < capacity_ / 2) {
            if (step_ == 0 || grown > static_cast<std::size_t>(-1) - step_) {
                failed_ = true;
                return;
            }
            grown += step_;
        }
        char* moved = static_cast<char*>(reallocate_(block_, grown));
        if (!moved) {
            failed_ = true;
            return;
        }
        block_ = moved;
        capacity_ = grown;
    }
    std::memcpy(block_ + used_, text, length);
    used_ += length;
    block_[used_] = '\0';
}
