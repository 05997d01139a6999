#include "CompactCoding/DataDecodingBuffer.h"

#include "coding/DecodingError.h"

#include <algorithm>

namespace coding {

std::span<const std::uint8_t> DataDecodingBuffer::getBytes(std::size_t count, const CodingPath& path) {
    if (count > buffer_.size() - index_) {
        didExceedBuffer_ = true;
        throw DecodingError::dataCorrupted(path, "Premature end of data");
    }
    const std::span<const std::uint8_t> bytes(buffer_.data() + index_, count);
    index_ += count;
    return bytes;
}

void DataDecodingBuffer::append(std::span<const std::uint8_t> bytes) {
    buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
    didExceedBuffer_ = false;
}

void DataDecodingBuffer::dropUsedBytes() {
    buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(index_));
    index_ = 0;
    didExceedBuffer_ = false;
}

std::size_t DataDecodingBuffer::discardBytes(std::size_t count) {
    const std::size_t removed = std::min(count, buffer_.size());
    buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(removed));
    index_ = 0;
    return removed;
}

void DataDecodingBuffer::rewind() {
    index_ = 0;
    didExceedBuffer_ = false;
}

} // namespace coding
