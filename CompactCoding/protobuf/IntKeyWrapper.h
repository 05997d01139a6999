#pragma once

#include "CompactCoding/CodingKeyWrapper.h"
#include "CompactCoding/DataType.h"
#include "CompactCoding/EncodingContainer.h"
#include "CompactCoding/VariableLengthInteger.h"
#include "coding/CodingKey.h"

#include <compare>
#include <cstdint>

namespace coding {

// Bytes, not definitions: a field's tag as ProtobufEncoder writes it. Its twin ProtoKeyWrapper is
// a field's key as ProtobufDefinition names it.
//
// A protobuf field key: the field number, written in front of a value as its tag, the varint of
// (number << 3) | wire type. The wire types are the data types' raw values: variableLengthInteger
// 0, eightBytes 1, variableLength 2, fourBytes 5.
class IntKeyWrapper final : public CodingKeyWrapper, public EncodingContainer {
public:
    static constexpr std::int64_t maximumFieldNumber = (std::int64_t{1} << 29) - 1;

    static constexpr bool isFieldNumber(std::int64_t number) { return number >= 1 && number <= maximumFieldNumber; }

    // The key's integer value as a field number. A key without one throws the
    // ProtobufEncodingError missingIntegerKey with its text; a number outside 1 to 2^29 - 1,
    // integerKeyOutOfRange with the number.
    explicit IntKeyWrapper(const CodingKey& key) {
        if (!key.intValue || !isFieldNumber(*key.intValue))
            refuse(key);
        number_ = static_cast<std::uint32_t>(*key.intValue);
    }
    // A field number known to be in range (the key and value fields of a map entry).
    static IntKeyWrapper field(std::uint32_t number) { return IntKeyWrapper(number); }

    std::int64_t intValue() const { return number_; }
    std::uint32_t number() const { return number_; }

    constexpr std::uint64_t tag(DataType dataType) const {
        return (std::uint64_t{number_} << 3) | rawValue(dataType);
    }
    // The field and wire type of a tag read from data. Protobuf's wire types are 0, 1, 2 and 5: the
    // group wire types 3 and 4, and 6 and 7, which name nothing (no length can be known for them),
    // throw "Unknown data type N" with `path`; a field number outside 1 to 2^29 - 1 throws
    // integerKeyOutOfRange with the tag shifted right by three, its sign kept.
    static IntKeyWrapper fromTag(std::uint64_t tag, DataType& wireType, const CodingPath& path) {
        const std::uint64_t raw = tag & 7;
        constexpr std::uint64_t wireTypes = (1 << 0) | (1 << 1) | (1 << 2) | (1 << 5);
        if (((wireTypes >> raw) & 1) == 0)
            unknownDataType(raw, path);
        wireType = static_cast<DataType>(raw);
        const auto number = static_cast<std::int64_t>(tag) >> 3;
        if (!isFieldNumber(number))
            outOfRange(number);
        return IntKeyWrapper(static_cast<std::uint32_t>(number));
    }

    // Writes the tag at `out` (room for maxVariableLengthSize bytes) and returns the end.
    std::uint8_t* writeTag(DataType dataType, std::uint8_t* out) const { return writeVariableLength(tag(dataType), out); }

    friend bool operator==(const IntKeyWrapper& a, const IntKeyWrapper& b) { return a.number_ == b.number_; }
    friend auto operator<=>(const IntKeyWrapper& a, const IntKeyWrapper& b) { return a.number_ <=> b.number_; }

    // CodingKeyWrapper
    std::size_t headerSize(DataType dataType) const override { return variableLengthSize(tag(dataType)); }
    void appendHeader(DataType dataType, std::vector<std::uint8_t>& out) const override {
        appendVariableLength(tag(dataType), out);
    }

    // EncodingContainer: the number standing as a value.
    std::size_t dataSize() const override { return variableLengthSize(number_); }
    void appendData(std::vector<std::uint8_t>& out) const override { appendVariableLength(number_, out); }
    DataType dataType() const override { return DataType::variableLengthInteger; }
    bool isEmpty() const override { return false; }

private:
    explicit IntKeyWrapper(std::uint32_t number) : number_(number) {}
    [[noreturn]] static void refuse(const CodingKey& key);
    [[noreturn]] static void outOfRange(std::int64_t number);

    std::uint32_t number_;
};

} // namespace coding
