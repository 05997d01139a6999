#include "CompactCoding/BinaryStreamBuffer.h"

namespace coding {

std::span<const std::uint8_t> BinaryStreamBuffer::getBytes(std::size_t count, const CodingPath& path) {
    const std::size_t start = index_;
    const std::size_t available = buffer_.size() - index_;
    if (count <= available) {
        index_ += count;
        return std::span<const std::uint8_t>(buffer_.data() + start, count);
    }
    // The source checks the count against what it holds; a failure leaves the buffer untouched.
    const auto received = data_->getBytes(count - available, path);
    buffer_.insert(buffer_.end(), received.begin(), received.end());
    index_ = buffer_.size();
    return std::span<const std::uint8_t>(buffer_.data() + start, count);
}

void BinaryStreamBuffer::clear() {
    buffer_.clear();
    index_ = 0;
}

} // namespace coding
