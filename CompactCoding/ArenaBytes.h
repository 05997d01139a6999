#pragma once

#include "CompactCoding/EncodingArena.h"

#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <cstring>
#include <span>
#include <vector>

namespace coding {

// A growing byte buffer in an encode's arena, written through pointers: a record writes a few
// bytes per field, and a vector's per-byte checks and zero-filling would cost more than the
// writing. Owned by a node, which keeps the arena alive.
class ArenaBytes {
public:
    explicit ArenaBytes(EncodingArena& arena) : arena_(&arena) {}

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    const std::uint8_t* data() const { return data_; }
    std::uint8_t* data() { return data_; }
    std::uint8_t& operator[](std::size_t index) { return data_[index]; }
    std::span<const std::uint8_t> span(std::size_t offset, std::size_t size) const { return {data_ + offset, size}; }

    void reserve(std::size_t capacity) {
        if (capacity > capacity_)
            reallocate(capacity);
    }
    // Room for `count` more bytes, not yet counted: write them, then commit what was written.
    [[gnu::always_inline]] std::uint8_t* room(std::size_t count) {
        if (count > capacity_ - size_)
            reallocate(std::max(2 * capacity_, size_ + count));
        return data_ + size_;
    }
    void commit(std::uint8_t* end) { size_ = static_cast<std::size_t>(end - data_); }

    void append(std::span<const std::uint8_t> bytes) {
        std::uint8_t* target = room(bytes.size());
        if (!bytes.empty())
            std::memcpy(target, bytes.data(), bytes.size());
        size_ += bytes.size();
    }

private:
    void reallocate(std::size_t capacity) {
        auto* grown = static_cast<std::uint8_t*>(arena_->allocate(capacity, 1));
        if (size_ != 0)
            std::memcpy(grown, data_, size_);
        data_ = grown;
        capacity_ = capacity;
    }

    EncodingArena* arena_;
    std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
};

// Copies ranges of one buffer to `out` in the order given; ranges that follow each other in the
// buffer go out in one piece. Flush before writing anything else to `out`, and at the end.
class ByteRuns {
public:
    ByteRuns(const std::uint8_t* base, std::vector<std::uint8_t>& out) : base_(base), out_(&out) {}

    void add(std::size_t offset, std::size_t length) {
        if (length == 0)
            return;
        if (start_ == end_ || offset != end_) {
            flush();
            start_ = offset;
        }
        end_ = offset + length;
    }
    void flush() {
        out_->insert(out_->end(), base_ + start_, base_ + end_);
        start_ = end_ = 0;
    }

private:
    const std::uint8_t* base_;
    std::vector<std::uint8_t>* out_;
    std::size_t start_ = 0;
    std::size_t end_ = 0;
};

} // namespace coding
