#pragma once

#include "CompactCoding/BinaryStreamProvider.h"

#include <memory>
#include <vector>

namespace coding {

// Fetches bytes on demand from another source (a file) and keeps what it took, so that the
// bytes of the element being read stay at hand. The file decoder clears it after every element,
// so it holds at most one element's bytes.
class BinaryStreamBuffer final : public BinaryStreamProvider {
public:
    explicit BinaryStreamBuffer(std::shared_ptr<BinaryStreamProvider> source) : data_(std::move(source)) {}

    std::span<const std::uint8_t> getBytes(std::size_t count, const CodingPath& path) override;
    bool hasMoreBytes() override { return index_ < buffer_.size() || data_->hasMoreBytes(); }

    // Forgets the bytes taken so far.
    void clear();
    // Reads the bytes taken so far once more before fetching new ones.
    void rewind() { index_ = 0; }

    BinaryStreamProvider& source() const { return *data_; }
    std::size_t index() const { return index_; }
    std::span<const std::uint8_t> buffer() const { return buffer_; }

private:
    std::shared_ptr<BinaryStreamProvider> data_;
    std::vector<std::uint8_t> buffer_;
    std::size_t index_ = 0;
};

} // namespace coding
