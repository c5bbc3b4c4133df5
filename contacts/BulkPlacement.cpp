#include "contacts/BulkPlacement.h"

#include "contacts/ColumnSort.h"

#include <algorithm>
#include <cstddef>
#include <iterator>

namespace {

// A sequence of numbers that takes an insertion anywhere cheaply: blocks of
// a few hundred, and a sum tree of their sizes to find a place in them.
class BlockSequence {
public:
    explicit BlockSequence(std::uint32_t count) {
        for (std::uint32_t at = 0; at < count; at += kHalf) {
            std::vector<std::uint32_t> block;
            block.reserve(2 * kHalf + 1);
            for (std::uint32_t i = at; i < count && i < at + kHalf; ++i) block.push_back(i);
            blocks_.push_back(std::move(block));
        }
        if (blocks_.empty()) blocks_.emplace_back();
        size_ = count;
        Rebuild();
    }

    std::size_t Size() const { return size_; }

    std::uint32_t At(std::size_t index) const {
        std::size_t offset = index;
        std::size_t block = Find(offset);
        return blocks_[block][offset];
    }

    void Insert(std::size_t index, std::uint32_t value) {
        std::size_t block, offset = index;
        if (index == size_) {
            block = blocks_.size() - 1;
            offset = blocks_[block].size();
        } else {
            block = Find(offset);
        }
        std::vector<std::uint32_t>& b = blocks_[block];
        b.insert(b.begin() + static_cast<std::ptrdiff_t>(offset), value);
        ++size_;
        if (b.size() > 2 * kHalf) {
            std::vector<std::uint32_t> upper(b.begin() + kHalf, b.end());
            upper.reserve(2 * kHalf + 1);
            b.resize(kHalf);
            blocks_.insert(blocks_.begin() + static_cast<std::ptrdiff_t>(block) + 1, std::move(upper));
            Rebuild();
        } else {
            for (std::size_t i = block + 1; i <= blocks_.size(); i += i & (~i + 1)) ++tree_[i];
        }
    }

    std::vector<std::uint32_t> Flatten() const {
        std::vector<std::uint32_t> all;
        all.reserve(size_);
        for (const auto& b : blocks_) all.insert(all.end(), b.begin(), b.end());
        return all;
    }

private:
    static constexpr std::size_t kHalf = 256;

    void Rebuild() {
        tree_.assign(blocks_.size() + 1, 0);
        for (std::size_t i = 1; i <= blocks_.size(); ++i) {
            tree_[i] += blocks_[i - 1].size();
            std::size_t up = i + (i & (~i + 1));
            if (up <= blocks_.size()) tree_[up] += tree_[i];
        }
        top_ = 1;
        while (top_ * 2 <= blocks_.size()) top_ *= 2;
    }

    // The block that holds `offset` (counted from the start); the offset
    // becomes the one inside that block.
    std::size_t Find(std::size_t& offset) const {
        std::size_t at = 0;
        for (std::size_t step = top_; step; step >>= 1) {
            if (at + step <= blocks_.size() && tree_[at + step] <= offset) {
                at += step;
                offset -= tree_[at];
            }
        }
        return at;
    }

    std::vector<std::vector<std::uint32_t>> blocks_;
    std::vector<std::size_t> tree_;  // sums of block sizes, counted from 1
    std::size_t top_ = 1;
    std::size_t size_ = 0;
};

// Item places as an iterator, so that the search replayed is the library's
// own binary search, probe for probe, as the list runs it.
class PlaceIterator {
public:
    using iterator_category = std::random_access_iterator_tag;
    using value_type = std::ptrdiff_t;
    using difference_type = std::ptrdiff_t;
    using pointer = const std::ptrdiff_t*;
    using reference = std::ptrdiff_t;

    explicit PlaceIterator(std::ptrdiff_t place) : place_(place) {}
    reference operator*() const { return place_; }
    PlaceIterator& operator++() {
        ++place_;
        return *this;
    }
    PlaceIterator operator++(int) {
        PlaceIterator was = *this;
        ++place_;
        return was;
    }
    PlaceIterator& operator--() {
        --place_;
        return *this;
    }
    PlaceIterator& operator+=(difference_type n) {
        place_ += n;
        return *this;
    }
    PlaceIterator& operator-=(difference_type n) {
        place_ -= n;
        return *this;
    }
    PlaceIterator operator+(difference_type n) const { return PlaceIterator(place_ + n); }
    difference_type operator-(const PlaceIterator& other) const { return place_ - other.place_; }
    bool operator==(const PlaceIterator& other) const { return place_ == other.place_; }
    bool operator!=(const PlaceIterator& other) const { return place_ != other.place_; }
    bool operator<(const PlaceIterator& other) const { return place_ < other.place_; }

private:
    std::ptrdiff_t place_;
};

}  // namespace

std::vector<std::uint32_t> PlaceAdded(const std::vector<const Contact*>& present,
                                      const std::vector<const Contact*>& added) {
    const std::size_t n = present.size();
    if (added.empty()) {
        std::vector<std::uint32_t> same(n);
        for (std::size_t i = 0; i < n; ++i) same[i] = static_cast<std::uint32_t>(i);
        return same;
    }
    std::vector<const Contact*> all(present);
    all.insert(all.end(), added.begin(), added.end());
    const SortText byText{0, -1, true};  // the item text: the first name alone
    std::vector<bool> sameAsBefore;
    std::vector<std::uint32_t> sorted = StableOrder(all, byText, &sameAsBefore);

    // A list in first-name order keeps its order in a stable sort, and then
    // each added record lands after the equal texts before it: the sort is
    // the answer.
    bool inOrder = true;
    std::uint32_t last = 0;
    for (std::uint32_t entry : sorted) {
        if (entry >= n) continue;
        if (entry < last) {
            inOrder = false;
            break;
        }
        last = entry;
    }
    if (inOrder) return sorted;

    // Otherwise replay the searches over ranks: equal texts share a rank, and
    // ranks compare as the texts do.
    std::vector<std::uint32_t> rank(all.size());
    std::uint32_t r = 0;
    for (std::size_t k = 0; k < sorted.size(); ++k) {
        if (k > 0 && !sameAsBefore[k]) ++r;
        rank[sorted[k]] = r;
    }
    BlockSequence list(static_cast<std::uint32_t>(n));
    for (std::size_t j = 0; j < added.size(); ++j) {
        const std::uint32_t id = static_cast<std::uint32_t>(n + j);
        const std::uint32_t text = rank[id];
        PlaceIterator at = std::upper_bound(PlaceIterator(0), PlaceIterator(static_cast<std::ptrdiff_t>(list.Size())),
                                            text, [&](std::uint32_t value, std::ptrdiff_t place) {
                                                return value < rank[list.At(static_cast<std::size_t>(place))];
                                            });
        list.Insert(static_cast<std::size_t>(*at), id);
    }
    return list.Flatten();
}
