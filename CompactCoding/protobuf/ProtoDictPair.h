#pragma once

#include "CompactCoding/EncodedValue.h"
#include "CompactCoding/EncodingContainer.h"

#include <cstdint>
#include <limits>
#include <span>
#include <vector>

namespace coding {

// One map entry: a small message with the key as field 1 and the value as field 2, both always
// written, defaults included. Each is one occurrence: a list or map standing as a value is its
// elements or entries back to back inside it.
class ProtoDictPair final : public EncodingContainer {
public:
    ProtoDictPair(EncodedValue key, EncodedValue value) : key_(std::move(key)), value_(std::move(value)) {}

    const EncodedValue& key() const { return key_; }
    const EncodedValue& value() const { return value_; }

    // A map's entries: under a field each is one occurrence of it; with no field they lie back to
    // back, each behind its byte count.
    static std::size_t entriesSize(std::span<const ProtoDictPair> entries, const CodingKeyWrapper* field);
    static void appendEntries(std::span<const ProtoDictPair> entries, const CodingKeyWrapper* field,
                              std::vector<std::uint8_t>& out);

    std::size_t dataSize() const override;
    void appendData(std::vector<std::uint8_t>& out) const override;
    bool isEmpty() const override { return false; }

private:
    EncodedValue key_;
    EncodedValue value_;
    mutable std::size_t cachedSize_ = std::numeric_limits<std::size_t>::max();
};

} // namespace coding
