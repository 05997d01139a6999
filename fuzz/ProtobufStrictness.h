#pragma once

// Where our protobuf decoder is stricter than libprotobuf by design, found in bytes that
// libprotobuf accepts: the differential target excuses our refusal of them, and nothing else.
// The bytes are read as libprotobuf reads them, guided by the message's descriptor:
//  - a known field of another wire type than its type's (libprotobuf skips it as unknown);
//  - a map entry whose first field is not the key or whose second is not the value (libprotobuf
//    takes the missing one as its default);
//  - a group (libprotobuf skips it as an unknown field);
//  - a field number above 2^29 - 1: a five-byte tag with more than 32 bits (libprotobuf drops the
//    bits past 32);
//  - a bool written in more than one byte (libprotobuf reads any varint);
//  - an int32, uint32 or sint32 whose varint holds a number out of its range (libprotobuf keeps its
//    low 32 bits);
//  - a varint of ten bytes whose last holds more than the 64th bit (libprotobuf drops the rest).

#include <google/protobuf/descriptor.h>
#include <google/protobuf/wire_format_lite.h>

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <span>

namespace protofuzz {

class ProtobufStrictness {
public:
    using Descriptor = google::protobuf::Descriptor;
    using FieldDescriptor = google::protobuf::FieldDescriptor;
    using WireFormatLite = google::protobuf::internal::WireFormatLite;

    // Whether `bytes`, a message of type `message` that libprotobuf accepts, holds any of the above.
    static bool holdsAny(std::span<const std::uint8_t> bytes, const Descriptor& message) {
        return ProtobufStrictness(bytes).message(&message);
    }

private:
    struct Varint {
        std::uint64_t value;
        std::size_t size;
        bool overflows; // a tenth byte above 1
    };

    explicit ProtobufStrictness(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    bool atEnd() const { return at_ == bytes_.size(); }

    // A varint of at most `maxSize` bytes; none when the bytes end in it or it is longer
    // (libprotobuf refuses those, so they do not come here).
    std::optional<Varint> varint(std::size_t maxSize = 10) {
        Varint result{0, 0, false};
        while (result.size < maxSize && at_ < bytes_.size()) {
            const std::uint8_t byte = bytes_[at_++];
            if (result.size < 10)
                result.value |= std::uint64_t{byte & 0x7Fu} << (7 * result.size);
            result.overflows = result.size == 9 && byte > 1;
            if (++result.size, byte < 0x80)
                return result;
        }
        return std::nullopt;
    }

    std::optional<std::span<const std::uint8_t>> payload() {
        const auto size = varint(5);
        if (!size || size->value > bytes_.size() - at_)
            return std::nullopt;
        const auto result = bytes_.subspan(at_, static_cast<std::size_t>(size->value));
        at_ += result.size();
        return result;
    }

    bool skipFixed(std::size_t size) {
        if (size > bytes_.size() - at_)
            return false;
        at_ += size;
        return true;
    }

    // True when the message holds what we refuse; `message` is null for a map entry's key or value
    // and for unknown fields, whose bytes are not looked into.
    bool message(const Descriptor* message) {
        while (!atEnd()) {
            const auto tag = varint(5);
            if (!tag)
                return false;
            if (tag->value > std::numeric_limits<std::uint32_t>::max())
                return true;
            const auto wireType = static_cast<WireFormatLite::WireType>(tag->value & 7);
            const FieldDescriptor* field =
                message ? message->FindFieldByNumber(static_cast<int>(tag->value >> 3)) : nullptr;
            switch (wireType) {
            case WireFormatLite::WIRETYPE_VARINT: {
                const auto value = varint();
                if (!value)
                    return false;
                if (value->overflows || (field && isOutOfRange(*field, *value)))
                    return true;
                break;
            }
            case WireFormatLite::WIRETYPE_FIXED64:
                if (!skipFixed(8))
                    return false;
                break;
            case WireFormatLite::WIRETYPE_FIXED32:
                if (!skipFixed(4))
                    return false;
                break;
            case WireFormatLite::WIRETYPE_LENGTH_DELIMITED: {
                const auto bytes = payload();
                if (!bytes)
                    return false;
                if (field && holdsAnyIn(*field, *bytes))
                    return true;
                break;
            }
            default: return true; // a group
            }
            if (field && wireType != wireTypeOf(*field) &&
                !(field->is_packable() && wireType == WireFormatLite::WIRETYPE_LENGTH_DELIMITED))
                return true;
        }
        return false;
    }

    // Of a length-delimited field of its own wire type or a packed run.
    static bool holdsAnyIn(const FieldDescriptor& field, std::span<const std::uint8_t> bytes) {
        if (field.type() == FieldDescriptor::TYPE_MESSAGE) {
            if (field.is_map() && !startsWithKeyAndValue(bytes))
                return true;
            return ProtobufStrictness(bytes).message(field.message_type());
        }
        if (!field.is_packable() || wireTypeOf(field) != WireFormatLite::WIRETYPE_VARINT)
            return false;
        ProtobufStrictness run(bytes);
        while (!run.atEnd()) {
            const auto value = run.varint();
            if (!value)
                return false;
            if (value->overflows || isOutOfRange(field, *value))
                return true;
        }
        return false;
    }

    static bool isOutOfRange(const FieldDescriptor& field, const Varint& value) {
        const auto number = static_cast<std::int64_t>(value.value);
        switch (field.type()) {
        case FieldDescriptor::TYPE_BOOL: return value.size > 1;
        case FieldDescriptor::TYPE_INT32:
            return number < std::numeric_limits<std::int32_t>::min() || number > std::numeric_limits<std::int32_t>::max();
        case FieldDescriptor::TYPE_UINT32: return value.value > std::numeric_limits<std::uint32_t>::max();
        case FieldDescriptor::TYPE_SINT32: {
            const auto decoded = static_cast<std::int64_t>((value.value >> 1) ^ (0 - (value.value & 1)));
            return decoded < std::numeric_limits<std::int32_t>::min() ||
                   decoded > std::numeric_limits<std::int32_t>::max();
        }
        default: return false;
        }
    }

    static WireFormatLite::WireType wireTypeOf(const FieldDescriptor& field) {
        return WireFormatLite::WireTypeForFieldType(static_cast<WireFormatLite::FieldType>(field.type()));
    }

    // A map entry's first field is its key, its second its value.
    static bool startsWithKeyAndValue(std::span<const std::uint8_t> entry) {
        ProtobufStrictness reader(entry);
        for (const std::uint64_t number : {1, 2}) {
            const auto tag = reader.varint(5);
            if (!tag || (tag->value >> 3) != number)
                return false;
            switch (static_cast<WireFormatLite::WireType>(tag->value & 7)) {
            case WireFormatLite::WIRETYPE_VARINT:
                if (!reader.varint())
                    return false;
                break;
            case WireFormatLite::WIRETYPE_FIXED64:
                if (!reader.skipFixed(8))
                    return false;
                break;
            case WireFormatLite::WIRETYPE_FIXED32:
                if (!reader.skipFixed(4))
                    return false;
                break;
            case WireFormatLite::WIRETYPE_LENGTH_DELIMITED:
                if (!reader.payload())
                    return false;
                break;
            default: return false;
            }
        }
        return true;
    }

    std::span<const std::uint8_t> bytes_;
    std::size_t at_ = 0;
};

} // namespace protofuzz
