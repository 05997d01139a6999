#pragma once

#include "CompactCoding/EncodedPrimitive.h"
#include "CompactCoding/EncodingContainer.h"
#include "CompactCoding/VariableLengthInteger.h"

#include <memory>
#include <utility>

namespace coding {

// The one value of a single-value container: a primitive held inline, or the container of a
// nested value. A primitive, the common case, is answered without a virtual call.
class EncodedValue {
public:
    EncodedValue(EncodedPrimitive primitive) : primitive_(std::move(primitive)) {}
    EncodedValue(std::shared_ptr<EncodingContainer> container) : container_(std::move(container)) {}

    bool isPrimitive() const { return container_ == nullptr; }
    const EncodingContainer& container() const {
        return container_ ? *container_ : static_cast<const EncodingContainer&>(primitive_);
    }

    std::size_t dataSize() const { return container_ ? container_->dataSize() : primitive_.dataSize(); }
    void appendData(std::vector<std::uint8_t>& out) const {
        if (container_)
            container_->appendData(out);
        else
            primitive_.appendData(out);
    }
    DataType dataType() const { return container_ ? container_->dataType() : primitive_.dataType(); }
    bool isEmpty() const { return container_ ? container_->isEmpty() : primitive_.isEmpty(); }

    std::size_t dataWithLengthPrefixSize() const {
        if (container_)
            return container_->dataWithLengthPrefixSize();
        const std::size_t size = primitive_.dataSize();
        return primitive_.dataType() == DataType::variableLength ? variableLengthSize(size) + size : size;
    }
    void appendDataWithLengthPrefix(std::vector<std::uint8_t>& out) const {
        if (container_) {
            container_->appendDataWithLengthPrefix(out);
            return;
        }
        if (primitive_.dataType() == DataType::variableLength)
            appendVariableLength(primitive_.dataSize(), out);
        primitive_.appendData(out);
    }

private:
    EncodedPrimitive primitive_;
    std::shared_ptr<EncodingContainer> container_;
};

} // namespace coding
