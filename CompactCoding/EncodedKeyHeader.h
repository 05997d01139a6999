#pragma once

#include "CompactCoding/CodingKeyWrapper.h"

#include <cstdint>
#include <span>

namespace coding {

// A key whose header was written once, for the data type 0: the data type sits in the low three
// bits of the header's first byte, and setting them changes nothing else, so one copy serves
// every data type. Views the bytes; they must outlive it.
class EncodedKeyHeader final : public CodingKeyWrapper {
public:
    explicit EncodedKeyHeader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::size_t headerSize(DataType) const override { return bytes_.size(); }
    void appendHeader(DataType dataType, std::vector<std::uint8_t>& out) const override {
        out.push_back(static_cast<std::uint8_t>(bytes_[0] | rawValue(dataType)));
        out.insert(out.end(), bytes_.begin() + 1, bytes_.end());
    }

private:
    std::span<const std::uint8_t> bytes_;
};

} // namespace coding
