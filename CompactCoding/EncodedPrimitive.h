#pragma once

#include "CompactCoding/EncodingContainer.h"
#include "coding/Primitive.h"

#include <cstdint>
#include <span>

namespace coding {

// One encoded primitive value. Numbers and short texts live inline; only longer texts and blobs
// take a heap block, since a record holds many small fields.
class EncodedPrimitive final : public EncodingContainer {
public:
    EncodedPrimitive() : EncodedPrimitive(DataType::byte, {}, false) {}
    EncodedPrimitive(DataType dataType, std::span<const std::uint8_t> bytes, bool isEmpty);

    // The compact form. Text that is not UTF-8 throws "String is not UTF-8" with an empty path.
    static EncodedPrimitive compact(const PrimitiveRef& value);
    // The protobuf form. With `omitDefaults` a zero value is marked empty, which a message leaves
    // out; its bytes stay, for the places that keep defaults. The caller has checked
    // hasProtobufForm and reported other kinds as unsupported.
    static EncodedPrimitive protobuf(const PrimitiveRef& value, bool omitDefaults);

    EncodedPrimitive(const EncodedPrimitive& other);
    EncodedPrimitive(EncodedPrimitive&& other) noexcept;
    EncodedPrimitive& operator=(const EncodedPrimitive& other);
    EncodedPrimitive& operator=(EncodedPrimitive&& other) noexcept;
    ~EncodedPrimitive() override;

    std::span<const std::uint8_t> bytes() const { return {storage(), size_}; }

    std::size_t dataSize() const override { return size_; }
    void appendData(std::vector<std::uint8_t>& out) const override {
        out.insert(out.end(), storage(), storage() + size_);
    }
    DataType dataType() const override { return dataType_; }
    bool isEmpty() const override { return isEmpty_; }

private:
    static constexpr std::size_t inlineCapacity = 24;

    bool isInline() const { return size_ <= inlineCapacity; }
    const std::uint8_t* storage() const { return isInline() ? inline_ : heap_; }
    void assign(std::span<const std::uint8_t> bytes);
    void release();

    union {
        std::uint8_t inline_[inlineCapacity];
        std::uint8_t* heap_;
    };
    std::uint32_t size_ = 0;
    DataType dataType_;
    bool isEmpty_;
};

} // namespace coding
