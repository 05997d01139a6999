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

    // A key as the order of the "sort" option sees it. `canonical` is its text in canonical
    // composition (NFC; CanonicalComposition.h), which is the text itself for ASCII, and for a
    // text that is not UTF-8 and so has no composition.
    struct SortKey {
        std::optional<std::int64_t> integer;
        std::string_view canonical;
        std::string_view text;
    };
    // The order of the "sort" option: by integer when both keys have one, else by canonical text,
    // byte by byte (the order of the Unicode scalar values), and texts alike in that form by their
    // own bytes, so that the order is total and the same on every run. Not a strict weak order
    // when a container mixes keys with and without integers.
    static bool precedes(const SortKey& a, const SortKey& b) {
        if (a.integer && b.integer)
            return *a.integer < *b.integer;
        if (const int order = a.canonical.compare(b.canonical); order != 0)
            return order < 0;
        return a.text < b.text;
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
