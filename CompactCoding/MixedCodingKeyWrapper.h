#pragma once

#include "CompactCoding/CodingKeyWrapper.h"
#include "CompactCoding/EncodingContainer.h"
#include "CompactCoding/KeyHeader.h"
#include "coding/CodingKey.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace coding {

// One key of a keyed container of the compact format, written as its KeyHeader. A key with an
// integer value is written as an integer key (its text is not written), any other as its UTF-8
// text.
class MixedCodingKeyWrapper final : public CodingKeyWrapper, public EncodingContainer {
public:
    static constexpr std::int64_t minimumIntegerKey = KeyHeader::minimumIntegerKey;
    static constexpr std::int64_t maximumIntegerKey = KeyHeader::maximumIntegerKey;

    static bool isInRange(std::int64_t key) { return KeyHeader::isInRange(key); }
    // "Integer key 5 is out of range [...] for coding key k".
    static std::string outOfRangeMessage(const CodingKey& key);
    // Stops the program for a key whose integer does not fit the header.
    static void requireInRange(const CodingKey& key);

    // An integer value out of range is a defect of the record's keys and stops the program.
    explicit MixedCodingKeyWrapper(const CodingKey& key);

    const std::optional<std::int64_t>& intValue() const { return intValue_; }
    const std::string& stringValue() const { return stringValue_; }

    // Keys are equal by their text: within one container all keys come from one key set, where a
    // text always comes with the same integer.
    friend bool operator==(const MixedCodingKeyWrapper& a, const MixedCodingKeyWrapper& b) {
        return a.stringValue_ == b.stringValue_;
    }

    // The order of the "sort" option: by integer when both keys have one, else by text, byte by
    // byte (the order of the Unicode scalar values; texts are not normalised). Not a strict weak
    // order when a container mixes keys with and without integers.
    static bool precedes(const std::optional<std::int64_t>& aInt, std::string_view aText,
                         const std::optional<std::int64_t>& bInt, std::string_view bText) {
        if (aInt && bInt)
            return *aInt < *bInt;
        return aText < bText;
    }
    static bool precedes(const MixedCodingKeyWrapper& a, const MixedCodingKeyWrapper& b) {
        return precedes(a.intValue_, a.stringValue_, b.intValue_, b.stringValue_);
    }

    // CodingKeyWrapper
    std::size_t headerSize(DataType dataType) const override;
    void appendHeader(DataType dataType, std::vector<std::uint8_t>& out) const override;

    // EncodingContainer: the key standing as a value.
    std::size_t dataSize() const override;
    void appendData(std::vector<std::uint8_t>& out) const override;
    DataType dataType() const override;
    bool isEmpty() const override { return false; }

private:
    KeyHeader header(DataType dataType) const {
        return intValue_ ? KeyHeader::integerKey(*intValue_, dataType)
                         : KeyHeader::textKey(stringValue_.size(), dataType);
    }

    std::optional<std::int64_t> intValue_;
    std::string stringValue_;
};

} // namespace coding
