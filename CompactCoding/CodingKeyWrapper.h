#pragma once

#include "CompactCoding/DataType.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace coding {

// A field key as a format writes it in front of a value: the compact format's key header, or
// the protobuf field tag.
class CodingKeyWrapper {
public:
    virtual ~CodingKeyWrapper() = default;

    // The bytes that go in front of a value of `dataType`.
    virtual std::size_t headerSize(DataType dataType) const = 0;
    virtual void appendHeader(DataType dataType, std::vector<std::uint8_t>& out) const = 0;

    std::vector<std::uint8_t> encode(DataType dataType) const {
        std::vector<std::uint8_t> out;
        out.reserve(headerSize(dataType));
        appendHeader(dataType, out);
        return out;
    }
};

} // namespace coding
