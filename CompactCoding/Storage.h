#pragma once

#include "CompactCoding/BinaryStreamProvider.h"

#include <cstdint>
#include <memory>
#include <span>

namespace coding {

// What a decoding node or single-value container reads from: either the complete bytes of its
// value in memory, or a byte source positioned at the start of the value, whose extent is found
// only by reading. Copies of a source storage share the one read position.
class Storage {
public:
    // In-memory bytes are a view: of the caller's input, or of a buffer that `keepAlive` holds.
    static Storage data(std::span<const std::uint8_t> bytes, std::shared_ptr<const void> keepAlive = {}) {
        Storage storage;
        storage.bytes_ = bytes;
        storage.keepAlive_ = std::move(keepAlive);
        return storage;
    }
    static Storage decoder(std::shared_ptr<BinaryStreamProvider> source) {
        Storage storage;
        storage.source_ = std::move(source);
        return storage;
    }

    bool isData() const { return source_ == nullptr; }
    // For data storage.
    std::span<const std::uint8_t> bytes() const { return bytes_; }
    const std::shared_ptr<const void>& keepAlive() const { return keepAlive_; }
    // For decoder storage.
    const std::shared_ptr<BinaryStreamProvider>& source() const { return source_; }

    // The byte source of this storage: a new reader at the first byte of in-memory bytes, or the
    // held source itself.
    std::shared_ptr<BinaryStreamProvider> useAsDecoder() const;

private:
    Storage() = default;

    std::span<const std::uint8_t> bytes_;
    std::shared_ptr<const void> keepAlive_;
    std::shared_ptr<BinaryStreamProvider> source_;
};

} // namespace coding
