#pragma once

#include "CompactCoding/CodingKeyWrapper.h"
#include "CompactCoding/KeyHeader.h"

#include <cstdint>
#include <span>

namespace coding {

// A key written once (its KeyHeader and, for a text key, its text), serving values of every
// data type. Views the bytes; they must outlive it.
class EncodedKeyHeader final : public CodingKeyWrapper {
public:
    explicit EncodedKeyHeader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::size_t headerSize(DataType) const override { return bytes_.size(); }
    void appendHeader(DataType dataType, std::vector<std::uint8_t>& out) const override {
        out.push_back(KeyHeader::withDataType(bytes_[0], dataType));
        out.insert(out.end(), bytes_.begin() + 1, bytes_.end());
    }

private:
    std::span<const std::uint8_t> bytes_;
};

} // namespace coding
