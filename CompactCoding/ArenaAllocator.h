#pragma once

#include "CompactCoding/EncodingArena.h"

#include <cstddef>
#include <vector>

namespace coding {

// A standard allocator over an EncodingArena; each copy counts as a user of the arena.
template <class T>
class ArenaAllocator {
public:
    using value_type = T;

    explicit ArenaAllocator(EncodingArena& arena) noexcept : arena_(&arena) { arena_->retain(); }
    ArenaAllocator(const ArenaAllocator& other) noexcept : arena_(other.arena_) { arena_->retain(); }
    template <class U>
    ArenaAllocator(const ArenaAllocator<U>& other) noexcept : arena_(&other.arena()) {
        arena_->retain();
    }
    ArenaAllocator& operator=(const ArenaAllocator& other) noexcept {
        other.arena_->retain();
        arena_->release();
        arena_ = other.arena_;
        return *this;
    }
    ~ArenaAllocator() { arena_->release(); }

    T* allocate(std::size_t count) { return static_cast<T*>(arena_->allocate(count * sizeof(T), alignof(T))); }
    void deallocate(T*, std::size_t) noexcept {}

    EncodingArena& arena() const { return *arena_; }

    template <class U>
    friend bool operator==(const ArenaAllocator& a, const ArenaAllocator<U>& b) {
        return a.arena_ == &b.arena();
    }

private:
    EncodingArena* arena_;
};

template <class T>
using ArenaVector = std::vector<T, ArenaAllocator<T>>;

} // namespace coding
