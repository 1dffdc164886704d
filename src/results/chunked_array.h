#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

namespace quorvane {

// A growable array of plain values kept in chunks of a fixed size. Growing never copies what it
// holds and never holds more than one chunk beyond its elements, where a vector that doubles
// would hold a list of ten million three times over for a moment, and twice over for good.
template <typename T, size_t kChunkBits = 16>
class ChunkedArray {
  public:
    static constexpr size_t kChunkSize = size_t{1} << kChunkBits;

    ChunkedArray() = default;
    ChunkedArray(ChunkedArray&& other) noexcept
        : chunks_(std::move(other.chunks_)), size_(std::exchange(other.size_, 0)) {}
    ChunkedArray& operator=(ChunkedArray&& other) noexcept {
        chunks_ = std::move(other.chunks_);
        size_ = std::exchange(other.size_, 0);
        return *this;
    }

    size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }

    T& operator[](size_t i) { return chunks_[i >> kChunkBits][i & kMask]; }
    const T& operator[](size_t i) const { return chunks_[i >> kChunkBits][i & kMask]; }

    // Takes the memory the next push_back needs, so that it cannot fail: where one store
    // grows two arrays, a refused allocation then leaves both as they were. Throws
    // std::bad_alloc, changing nothing but the room held.
    void makeRoom() {
        if ((size_ >> kChunkBits) == chunks_.size()) {
            chunks_.push_back(std::make_unique_for_overwrite<T[]>(kChunkSize));
        }
    }
    void push_back(T value) {
        makeRoom();
        (*this)[size_++] = value;
    }

    // Keeps the first `count` elements (count <= size()) and lets go of the chunks beyond them.
    void truncate(size_t count) {
        size_ = count;
        chunks_.resize((count + kChunkSize - 1) >> kChunkBits);
    }

    void clear() {
        chunks_.clear();
        chunks_.shrink_to_fit();
        size_ = 0;
    }

    // The elements from `first` on that lie in one chunk: a pointer to the first, and how many
    // follow it there (at least 1 while first < size()). Loops over millions of elements take
    // them a chunk at a time.
    T* run(size_t first, size_t& length) {
        length = std::min(kChunkSize - (first & kMask), size_ - first);
        return &(*this)[first];
    }

    size_t memoryUsage() const {
        return chunks_.size() * kChunkSize * sizeof(T) +
               chunks_.capacity() * sizeof(std::unique_ptr<T[]>);
    }

  private:
    static constexpr size_t kMask = kChunkSize - 1;

    std::vector<std::unique_ptr<T[]>> chunks_;
    size_t size_ = 0;
};

}  // namespace quorvane
