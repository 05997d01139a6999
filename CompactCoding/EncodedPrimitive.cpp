#include "CompactCoding/EncodedPrimitive.h"

#include "CompactCoding/PrimitiveCodec.h"
#include "coding/Fatal.h"

#include <cstring>
#include <limits>

namespace coding {

EncodedPrimitive::EncodedPrimitive(DataType dataType, std::span<const std::uint8_t> bytes, bool isEmpty)
    : dataType_(dataType), isEmpty_(isEmpty) {
    assign(bytes);
}

EncodedPrimitive EncodedPrimitive::compact(const PrimitiveRef& value) {
    PrimitiveScratch scratch;
    auto bytes = compactBytes(value, scratch);
    return EncodedPrimitive(dataTypeOf(kindOf(value)), bytes, false);
}

EncodedPrimitive EncodedPrimitive::protobuf(const PrimitiveRef& value, bool omitDefaults) {
    PrimitiveScratch scratch;
    const ProtobufForm form = protobufForm(value, scratch);
    return EncodedPrimitive(dataTypeOf(kindOf(value)), form.bytes, omitDefaults && form.isZero);
}

void EncodedPrimitive::assign(std::span<const std::uint8_t> bytes) {
    if (bytes.size() > std::numeric_limits<std::uint32_t>::max())
        fatal("A primitive value of 4 GiB or more cannot be encoded");
    size_ = static_cast<std::uint32_t>(bytes.size());
    std::uint8_t* target = inline_;
    if (!isInline()) {
        heap_ = new std::uint8_t[bytes.size()];
        target = heap_;
    }
    if (!bytes.empty())
        std::memcpy(target, bytes.data(), bytes.size());
}

void EncodedPrimitive::release() {
    if (!isInline())
        delete[] heap_;
    size_ = 0;
}

EncodedPrimitive::EncodedPrimitive(const EncodedPrimitive& other)
    : EncodingContainer(other), dataType_(other.dataType_), isEmpty_(other.isEmpty_) {
    assign(other.bytes());
}

EncodedPrimitive::EncodedPrimitive(EncodedPrimitive&& other) noexcept
    : EncodingContainer(other), size_(other.size_), dataType_(other.dataType_), isEmpty_(other.isEmpty_) {
    if (isInline()) {
        std::memcpy(inline_, other.inline_, size_);
    } else {
        heap_ = other.heap_;
        other.size_ = 0;
    }
}

EncodedPrimitive& EncodedPrimitive::operator=(const EncodedPrimitive& other) {
    if (this != &other) {
        EncodedPrimitive copy(other);
        *this = std::move(copy);
    }
    return *this;
}

EncodedPrimitive& EncodedPrimitive::operator=(EncodedPrimitive&& other) noexcept {
    if (this != &other) {
        release();
        dataType_ = other.dataType_;
        isEmpty_ = other.isEmpty_;
        size_ = other.size_;
        if (isInline()) {
            std::memcpy(inline_, other.inline_, size_);
        } else {
            heap_ = other.heap_;
            other.size_ = 0;
        }
    }
    return *this;
}

EncodedPrimitive::~EncodedPrimitive() { release(); }

} // namespace coding
