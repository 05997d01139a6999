#pragma once

#include <cstddef>
#include <new>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define LUMENSCROLL_RECYCLED_BLOCKS_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define LUMENSCROLL_RECYCLED_BLOCKS_ASAN 1
#endif
#ifdef LUMENSCROLL_RECYCLED_BLOCKS_ASAN
#include <sanitizer/asan_interface.h>
#endif

namespace coding {

// An allocator for objects made and dropped over and over on one thread, such as the container
// of every record read: a few freed blocks are kept for the next request of the same type
// instead of going back to the heap. Blocks are kept per thread and freed when it ends.
template <class T>
struct RecycledBlocks {
    static_assert(alignof(T) <= __STDCPP_DEFAULT_NEW_ALIGNMENT__);
    using value_type = T;

    RecycledBlocks() = default;
    template <class U>
    RecycledBlocks(const RecycledBlocks<U>&) noexcept {}

    T* allocate(std::size_t count) {
        Kept& kept = keptBlocks();
        if (count == 1 && kept.count > 0) {
            void* block = kept.blocks[--kept.count];
#ifdef LUMENSCROLL_RECYCLED_BLOCKS_ASAN
            ASAN_UNPOISON_MEMORY_REGION(block, sizeof(T));
#endif
            return static_cast<T*>(block);
        }
        return static_cast<T*>(::operator new(count * sizeof(T)));
    }
    void deallocate(T* block, std::size_t count) noexcept {
        Kept& kept = keptBlocks();
        if (count == 1 && kept.count < kept.limit) {
            // A kept block stays out of bounds to the address sanitizer, as a freed one would.
#ifdef LUMENSCROLL_RECYCLED_BLOCKS_ASAN
            ASAN_POISON_MEMORY_REGION(block, sizeof(T));
#endif
            kept.blocks[kept.count++] = block;
        } else
            ::operator delete(block);
    }

    friend bool operator==(const RecycledBlocks&, const RecycledBlocks&) { return true; }

private:
    // Records nest: a few blocks cover the containers alive at once.
    struct Kept {
        static constexpr std::size_t capacity = 8;
        void* blocks[capacity];
        std::size_t count = 0;
        // Zero once the thread's blocks are freed: a container dropped later (by a static
        // object, as the program ends) goes back to the heap.
        std::size_t limit = capacity;
        ~Kept() {
            limit = 0;
            while (count > 0) {
                void* block = blocks[--count];
#ifdef LUMENSCROLL_RECYCLED_BLOCKS_ASAN
                ASAN_UNPOISON_MEMORY_REGION(block, sizeof(T));
#endif
                ::operator delete(block);
            }
        }
    };
    static Kept& keptBlocks() {
        thread_local Kept kept;
        return kept;
    }
};

} // namespace coding
