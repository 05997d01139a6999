#include "CompactCoding/ValueEncoder.h"

#include "CompactCoding/EncodeValue.h"
#include "CompactCoding/VariableLengthInteger.h"
#include "coding/EncodingError.h"
#include "coding/Fatal.h"

namespace coding {

namespace {

constexpr std::uint8_t nilMarker = 0x00;
constexpr std::uint8_t valueMarker = 0x01;

} // namespace

void ValueEncoder::requireNoValue() const {
    if (hasValue_)
        fatal("Attempt to encode multiple values in single value container");
}

void ValueEncoder::encodeNil() {
    requireNoValue();
    setContainsOptional(true);
    hasValue_ = true;
}

void ValueEncoder::encode(const EncodeItem& item) {
    requireNoValue();
    if (item.category == ValueCategory::primitive) {
        PrimitiveScratch scratch;
        const auto bytes = encodePrimitive(item, *this, scratch);
        container_.emplace(EncodedPrimitive(dataTypeOf(kindOf(item.primitive)), bytes, false));
    } else {
        if (item.category == ValueCategory::optional)
            containerHasOptionalContent_ = true;
        container_.emplace(encodeNestedValue(item, *this));
    }
    hasValue_ = true;
}

const EncodedValue& ValueEncoder::requiredContainer() const {
    if (!container_)
        throw EncodingError::invalidValue(
            std::string(), ErrorContext{codingPath(), "Single value container did not encode any values.", nullptr});
    return *container_;
}

// ---- bytes ----

std::size_t ValueEncoder::dataSize() const {
    if (!containsOptional())
        return requiredContainer().dataSize();
    return container_ ? 1 + container_->dataWithLengthPrefixSize() : 1;
}

void ValueEncoder::appendData(std::vector<std::uint8_t>& out) const {
    if (!containsOptional()) {
        if (container_)
            container_->appendData(out);
        return;
    }
    if (!container_) {
        out.push_back(nilMarker);
        return;
    }
    out.push_back(valueMarker);
    container_->appendDataWithLengthPrefix(out);
}

DataType ValueEncoder::dataType() const {
    if (containsOptional())
        return DataType::variableLength;
    return container_ ? container_->dataType() : DataType::byte;
}

// The marker of an optional already delimits its payload; a plain value carries the prefix its
// own value needs. A wrapper of an optional thus gets none, as a reader expects a marker first.
std::size_t ValueEncoder::dataWithLengthPrefixSize() const {
    if (containsOptional())
        return dataSize();
    return requiredContainer().dataWithLengthPrefixSize();
}

void ValueEncoder::appendDataWithLengthPrefix(std::vector<std::uint8_t>& out) const {
    if (containsOptional())
        appendData(out);
    else if (container_)
        container_->appendDataWithLengthPrefix(out);
}

std::size_t ValueEncoder::keyedPayloadSize() const {
    if (keyedPayloadIsContainerData())
        return container_->dataSize();
    return 1 + container_->dataWithLengthPrefixSize();
}

std::size_t ValueEncoder::sizeWithKey(const CodingKeyWrapper& key) const {
    if (!containsOptional() && !containerHasOptionalContent_) {
        const EncodedValue& value = requiredContainer();
        return key.headerSize(value.dataType()) + value.dataWithLengthPrefixSize();
    }
    if (!container_) {
        if (!containsOptional())
            requiredContainer(); // throws: a wrapper whose optional failed to encode
        return 0; // nil: the key is absent
    }
    const std::size_t payload = keyedPayloadSize();
    return key.headerSize(DataType::variableLength) + variableLengthSize(payload) + payload;
}

void ValueEncoder::appendWithKey(const CodingKeyWrapper& key, std::vector<std::uint8_t>& out) const {
    if (!container_) {
        // Nil of an optional: nothing, so the key is absent.
        return;
    }
    if (!containsOptional() && !containerHasOptionalContent_) {
        key.appendHeader(container_->dataType(), out);
        container_->appendDataWithLengthPrefix(out);
        return;
    }
    key.appendHeader(DataType::variableLength, out);
    appendVariableLength(keyedPayloadSize(), out);
    if (keyedPayloadIsContainerData()) {
        container_->appendData(out);
    } else {
        out.push_back(valueMarker);
        container_->appendDataWithLengthPrefix(out);
    }
}

} // namespace coding
