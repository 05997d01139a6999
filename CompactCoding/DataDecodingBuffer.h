#pragma once

#include "CompactCoding/BinaryStreamProvider.h"

#include <vector>

namespace coding {

// The bytes of a stream that arrive in pieces. A read past the bytes received so far fails like
// any short read, and also sets didExceedBuffer(): the stream decoder reads that as "this element
// is not complete yet" rather than as bad data.
//
// The buffer changes only through append(), dropUsedBytes() and discardBytes(), which the stream
// decoder calls between elements; views handed out while one element is decoded stay valid.
class DataDecodingBuffer final : public BinaryStreamProvider {
public:
    std::span<const std::uint8_t> getBytes(std::size_t count, const CodingPath& path) override;
    bool hasMoreBytes() override { return index_ < buffer_.size(); }
    bool bytesStayValid() const override { return true; }

    // New bytes arrived; an earlier shortage may be over.
    void append(std::span<const std::uint8_t> bytes);
    // Keeps only the unread bytes, reading on from the first of them, and clears didExceedBuffer().
    void dropUsedBytes();
    // Removes up to `count` bytes from the front and returns how many went; reading restarts at
    // the new first byte. didExceedBuffer() keeps its value.
    std::size_t discardBytes(std::size_t count);
    // Back to the first byte (an element that did not fit is read again once more bytes are in).
    void rewind();

    bool didExceedBuffer() const { return didExceedBuffer_; }
    void clearExceeded() { didExceedBuffer_ = false; }
    std::size_t index() const { return index_; }
    std::span<const std::uint8_t> buffer() const { return buffer_; }

private:
    std::vector<std::uint8_t> buffer_;
    std::size_t index_ = 0;
    bool didExceedBuffer_ = false;
};

} // namespace coding
