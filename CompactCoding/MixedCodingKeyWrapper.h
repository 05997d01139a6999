#pragma once

#include "CompactCoding/CodingKeyWrapper.h"
#include "CompactCoding/EncodingContainer.h"
#include "coding/CodingKey.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace coding {

// One key of a keyed container of the compact format. A key with an integer value is written as
// an integer key (its text is not written), any other as its UTF-8 text.
//
// Key header: one variable-length integer whose bits 0-2 hold the value's data type, bit 3 is
// set for a text key, and bits 4 and up hold the integer key or the text's byte count; the
// text's bytes follow a text key's header.
class MixedCodingKeyWrapper final : public CodingKeyWrapper, public EncodingContainer {
public:
    // Integer keys must fit in 60 bits so that the shifted key fits the header.
    static constexpr std::int64_t minimumIntegerKey = -(std::int64_t{1} << 59);
    static constexpr std::int64_t maximumIntegerKey = (std::int64_t{1} << 59) - 1;

    static bool isInRange(std::int64_t key) { return key >= minimumIntegerKey && key <= maximumIntegerKey; }
    // "Integer key 5 is out of range [...] for coding key k".
    static std::string outOfRangeMessage(const CodingKey& key);
    // Stops the program for a key whose integer does not fit the header.
    static void requireInRange(const CodingKey& key);
    // The header, as the value of its one variable-length integer, of a key for a value of
    // `dataType`; a text key's text (of `textSize` bytes) follows it.
    static constexpr std::uint64_t headerValue(const std::optional<std::int64_t>& intValue, std::size_t textSize,
                                               DataType dataType) {
        if (intValue)
            return (static_cast<std::uint64_t>(*intValue) << 4) | rawValue(dataType);
        return (static_cast<std::uint64_t>(textSize) << 4) | 8 | rawValue(dataType);
    }

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
    std::optional<std::int64_t> intValue_;
    std::string stringValue_;
};

} // namespace coding
