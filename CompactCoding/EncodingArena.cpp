#include "CompactCoding/EncodingArena.h"

#include <algorithm>

namespace coding {

namespace {

constexpr std::size_t firstBlockSize = 16 * 1024;
constexpr std::size_t largestGrownBlockSize = 1024 * 1024;
// What a thread keeps between encodes; larger trees give the rest back.
constexpr std::size_t retainedBytes = 4 * 1024 * 1024;
constexpr std::size_t cachedArenas = 4; // encodes run inside encodes

} // namespace

namespace {
// Whether this thread's cache still exists: a handle kept in a static object can let go of its
// arena after the thread's own objects are gone.
thread_local bool cacheAlive = false;
} // namespace

struct ArenaCache {
    std::vector<EncodingArena*> arenas;
    ArenaCache() { cacheAlive = true; }
    ~ArenaCache() {
        cacheAlive = false;
        for (EncodingArena* arena : arenas)
            delete arena;
    }
};

namespace {
thread_local ArenaCache cache;
} // namespace

EncodingArena* EncodingArena::acquire() {
    if (cache.arenas.empty())
        return new EncodingArena();
    EncodingArena* arena = cache.arenas.back();
    cache.arenas.pop_back();
    return arena;
}

EncodingArena::Lease::Lease() : arena_(acquire()) { arena_->retain(); }

void* EncodingArena::allocateInNewBlock(std::size_t size, std::size_t alignment) {
    // Move on to a kept block that is large enough, or add one.
    while (currentBlock_ + 1 < blocks_.size()) {
        ++currentBlock_;
        cursor_ = blocks_[currentBlock_].memory.get();
        end_ = cursor_ + blocks_[currentBlock_].size;
        if (size + alignment <= blocks_[currentBlock_].size)
            return allocate(size, alignment);
    }
    std::size_t blockSize = blocks_.empty() ? firstBlockSize : std::min(2 * blocks_.back().size, largestGrownBlockSize);
    blockSize = std::max(blockSize, size + alignment);
    blocks_.push_back(Block{std::make_unique<std::byte[]>(blockSize), blockSize});
    currentBlock_ = blocks_.size() - 1;
    cursor_ = blocks_.back().memory.get();
    end_ = cursor_ + blockSize;
    return allocate(size, alignment);
}

void EncodingArena::reset() {
    keptAlive_.clear();
    std::size_t kept = 0;
    std::size_t total = 0;
    while (kept < blocks_.size() && total + blocks_[kept].size <= retainedBytes)
        total += blocks_[kept++].size;
    blocks_.resize(kept);
    currentBlock_ = 0;
    cursor_ = blocks_.empty() ? nullptr : blocks_[0].memory.get();
    end_ = blocks_.empty() ? nullptr : cursor_ + blocks_[0].size;
}

void EncodingArena::recycle() {
    if (!cacheAlive) {
        delete this;
        return;
    }
    reset();
    if (cache.arenas.size() < cachedArenas)
        cache.arenas.push_back(this);
    else
        delete this;
}

} // namespace coding
