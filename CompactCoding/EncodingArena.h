#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace coding {

// The memory of one encode's node tree. A tree has a node, a table and a byte buffer per record,
// so taking each from the heap (and giving it back) would cost more than writing the bytes.
// Allocation bumps a pointer; nothing is freed one by one. When the last user lets go, the
// arena is reset and kept for the thread's next encode, so its blocks stay warm.
//
// Users are counted: every ArenaAllocator (and so every node made with one) and the lease of the
// encode itself. A handle to a node that outlives its encode thus keeps the memory alive. A tree
// is built and dropped on one thread.
class EncodingArena {
public:
    // Holds an arena for the length of one encode.
    class Lease {
    public:
        Lease();
        ~Lease() { arena_->release(); }
        Lease(const Lease&) = delete;
        Lease& operator=(const Lease&) = delete;
        EncodingArena& arena() const { return *arena_; }

    private:
        EncodingArena* arena_;
    };

    EncodingArena(const EncodingArena&) = delete;
    EncodingArena& operator=(const EncodingArena&) = delete;

    void* allocate(std::size_t size, std::size_t alignment) {
        auto address = (reinterpret_cast<std::uintptr_t>(cursor_) + alignment - 1) & ~(alignment - 1);
        if (address + size <= reinterpret_cast<std::uintptr_t>(end_)) {
            cursor_ = reinterpret_cast<std::byte*>(address + size);
            return reinterpret_cast<void*>(address);
        }
        return allocateInNewBlock(size, alignment);
    }

    void retain() { ++users_; }
    void release() {
        if (--users_ == 0)
            recycle();
    }

    // Keeps `object` alive until the arena is reset (the shared options of a call).
    void keepAlive(std::shared_ptr<const void> object) { keptAlive_.push_back(std::move(object)); }

private:
    friend class Lease;
    struct Block {
        std::unique_ptr<std::byte[]> memory;
        std::size_t size;
    };

    EncodingArena() = default;
    ~EncodingArena() = default;
    static EncodingArena* acquire();
    void* allocateInNewBlock(std::size_t size, std::size_t alignment);
    void recycle();
    void reset();

    std::vector<Block> blocks_;
    std::size_t currentBlock_ = 0;
    std::byte* cursor_ = nullptr;
    std::byte* end_ = nullptr;
    std::size_t users_ = 0;
    std::vector<std::shared_ptr<const void>> keptAlive_;

    friend struct ArenaCache;
};

} // namespace coding
