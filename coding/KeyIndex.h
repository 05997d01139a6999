#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

namespace coding {

namespace detail {

inline std::uint32_t finishKeyHash(std::uint64_t mixed) {
    return static_cast<std::uint32_t>((mixed * 0xBF58476D1CE4E5B9ull) >> 32);
}

// The first `count` bytes (at most eight) as one number; equal runs give equal numbers. Built
// from overlapping loads, not byte by byte, and never reading past the run.
inline std::uint64_t loadKeyBytes(const char* from, std::size_t count) {
    if (count >= 8) {
        std::uint64_t word;
        std::memcpy(&word, from, 8);
        return word;
    }
    if (count >= 4) {
        std::uint32_t head, tail;
        std::memcpy(&head, from, 4);
        std::memcpy(&tail, from + count - 4, 4);
        return (static_cast<std::uint64_t>(tail) << 32) | head;
    }
    if (count == 0)
        return 0;
    const auto byte = [from](std::size_t i) { return static_cast<std::uint64_t>(static_cast<unsigned char>(from[i])); };
    return byte(0) | (byte(count / 2) << 8) | (byte(count - 1) << 16);
}

// Whether two runs of `size` bytes are equal. Keys are short: up to sixteen bytes compare as two
// overlapping words, without a call, never reading outside either run.
inline bool sameKeyBytes(const char* x, const char* y, std::size_t size) {
    if (size > 16)
        return std::memcmp(x, y, size) == 0;
    if (size <= 8)
        return loadKeyBytes(x, size) == loadKeyBytes(y, size);
    return loadKeyBytes(x, 8) == loadKeyBytes(y, 8) && loadKeyBytes(x + size - 8, 8) == loadKeyBytes(y + size - 8, 8);
}

} // namespace detail

// The hash a keyed container's index files a key under. Every byte of a text counts, so keys
// that differ only in their middle do not all land on one slot; integer keys and text keys hash
// apart. Keys are short: up to sixteen bytes take two loads.
inline std::uint32_t keyHash(std::string_view text) {
    const char* data = text.data();
    std::size_t size = text.size();
    std::uint64_t mixed = size;
    for (; size > 16; data += 8, size -= 8)
        mixed = (mixed ^ detail::loadKeyBytes(data, 8)) * 0x9E3779B97F4A7C15ull;
    mixed ^= detail::loadKeyBytes(data, size);
    if (size > 8)
        mixed ^= detail::loadKeyBytes(data + size - 8, 8) * 0xC2B2AE3D27D4EB4Full;
    return detail::finishKeyHash(mixed);
}

inline std::uint32_t keyHash(std::int64_t integer) {
    return detail::finishKeyHash(static_cast<std::uint64_t>(integer) ^ 0x5555'5555'5555'5555ull);
}

// Finds the entries of one keyed container by key. The container keeps its entries in a list of
// its own, in the order they came, each with its keyHash; the index only says where to look.
//
// A record has a handful of keys and is best scanned: while there are few entries the index is a
// 64-bit filter of the hashes seen, which answers most questions about a new key without a scan.
// Past scanLimit entries (dictionaries, and hostile data with many keys) it becomes an
// open-addressing table of positions, at most half full, so a lookup costs a probe or two
// whatever the number of keys.
template <class Allocator = std::allocator<std::uint32_t>>
class KeyIndex {
public:
    static constexpr std::size_t scanLimit = 16;

    explicit KeyIndex(const Allocator& allocator = Allocator()) : slots_(allocator) {}

    // Whether lookups go through the table; below it, a container may scan in its own order.
    bool isHashed() const { return !slots_.empty(); }

    // The position of the entry under `hash` for which `matches(position)` holds, or `count` (the
    // number of entries) when there is none. `matches` confirms a key on all of its bytes.
    template <class Matches>
    std::size_t find(std::uint32_t hash, std::size_t count, Matches&& matches) const {
        if (slots_.empty()) {
            if ((filter_ & filterBit(hash)) == 0)
                return count;
            for (std::size_t position = 0; position < count; ++position)
                if (matches(position))
                    return position;
            return count;
        }
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
            const std::uint32_t entry = slots_[slot];
            if (entry == 0)
                return count;
            if (matches(entry - 1))
                return entry - 1;
        }
    }

    // Files the entry just appended as the last of `count`, under `hash`. When the entries outgrow
    // a scan, the table is built from `hashAt(position)` of every entry.
    template <class HashAt>
    void add(std::uint32_t hash, std::size_t count, HashAt&& hashAt) {
        filter_ |= filterBit(hash);
        if (count > scanLimit && count * 2 > slots_.size()) {
            slots_.assign(std::bit_ceil(count * 4), 0);
            for (std::size_t position = 0; position < count; ++position)
                file(hashAt(position), position);
        } else if (!slots_.empty()) {
            file(hash, count - 1);
        }
    }

private:
    static std::uint64_t filterBit(std::uint32_t hash) { return std::uint64_t{1} << (hash & 63); }

    void file(std::uint32_t hash, std::size_t position) {
        const std::size_t mask = slots_.size() - 1;
        std::size_t slot = hash & mask;
        while (slots_[slot] != 0)
            slot = (slot + 1) & mask;
        slots_[slot] = static_cast<std::uint32_t>(position + 1);
    }

    std::uint64_t filter_ = 0;
    std::vector<std::uint32_t, Allocator> slots_; // position + 1; 0 is an empty slot
};

} // namespace coding
