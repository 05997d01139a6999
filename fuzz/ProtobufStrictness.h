#pragma once

// Where our protobuf decoder is stricter than libprotobuf by design, found in bytes that
// libprotobuf accepts: the differential target excuses a refusal of ours only when it is one of
// these, of the same kind and at the same place as our decoder reports it, and nothing else. The
// bytes are read as libprotobuf reads them, guided by the message's descriptor:
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
//
// Each is described as our decoder reports it (Refusal): the data-corrupted error's description and
// the coding path it carries, which names the key of the primitive whose value failed (the field's
// name, "_0" for a oneof's case, the entry's key for a map's value) and nothing for lists and
// messages; the ProtobufDecodingError unexpectedDictionaryKey for a map's entries and keys; the
// ProtobufEncodingError integerKeyOutOfRange with the number for a field number out of range.

#include <google/protobuf/descriptor.h>
#include <google/protobuf/descriptor.pb.h>
#include <google/protobuf/wire_format_lite.h>

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace protofuzz {

// A refusal as our decoder reports it.
struct Refusal {
    std::string what; // the description, or the protobuf error's case (with its number)
    std::vector<std::string> path; // the names of the coding path's keys

    friend bool operator==(const Refusal&, const Refusal&) = default;

    static Refusal dataCorrupted(std::string description, std::vector<std::string> path = {}) {
        return Refusal{std::move(description), std::move(path)};
    }
    static Refusal unexpectedDictionaryKey() { return Refusal{"unexpectedDictionaryKey", {}}; }
    static Refusal integerKeyOutOfRange(std::int64_t number) {
        return Refusal{"integerKeyOutOfRange(" + std::to_string(number) + ")", {}};
    }
};

class ProtobufStrictness {
public:
    using Descriptor = google::protobuf::Descriptor;
    using FieldDescriptor = google::protobuf::FieldDescriptor;
    using WireFormatLite = google::protobuf::internal::WireFormatLite;

    // Every refusal by design that `bytes`, a message of type `message` that libprotobuf accepts,
    // can meet in our decoder.
    static std::vector<Refusal> refusals(std::span<const std::uint8_t> bytes, const Descriptor& message) {
        std::vector<Refusal> found;
        ProtobufStrictness(bytes, found).message(&message, nullptr);
        return found;
    }

private:
    struct Varint {
        std::uint64_t value;
        std::size_t size;
        bool overflows; // a tenth byte above 1
    };

    ProtobufStrictness(std::span<const std::uint8_t> bytes, std::vector<Refusal>& found)
        : bytes_(bytes), found_(&found) {}

    bool atEnd() const { return at_ == bytes_.size(); }
    void refuse(Refusal refusal) { found_->push_back(std::move(refusal)); }

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

    static bool isKnownWireType(std::uint64_t raw) { return raw == 0 || raw == 1 || raw == 2 || raw == 5; }

    // A tag past 32 bits, or one of a group: our decoder's parse of the message stops at it, as
    // does this one.
    bool refusesTag(std::uint64_t tag) {
        if (!isKnownWireType(tag & 7)) {
            refuse(Refusal::dataCorrupted("Unknown data type " + std::to_string(tag & 7)));
            return true;
        }
        if (tag > std::numeric_limits<std::uint32_t>::max()) {
            refuse(Refusal::integerKeyOutOfRange(static_cast<std::int64_t>(tag >> 3)));
            return true;
        }
        return false;
    }

    // The refusals in a message; `message` is null for unknown fields, whose bytes are not looked
    // into. In a map's entry, `entryKey` is the text of the key our decoder reads its value under.
    void message(const Descriptor* message, const std::string* entryKey) {
        while (!atEnd()) {
            const auto tag = varint(5);
            if (!tag || refusesTag(tag->value))
                return;
            const auto wireType = static_cast<WireFormatLite::WireType>(tag->value & 7);
            const FieldDescriptor* field =
                message ? message->FindFieldByNumber(static_cast<int>(tag->value >> 3)) : nullptr;
            switch (wireType) {
            case WireFormatLite::WIRETYPE_VARINT: {
                const auto value = varint();
                if (!value)
                    return;
                if (value->overflows) {
                    // Read as the message's fields are parsed, before any is decoded.
                    refuse(Refusal::dataCorrupted("Encoded variable-length integer out of range"));
                    return;
                }
                if (field && wireTypeOf(*field) == WireFormatLite::WIRETYPE_VARINT)
                    refuseOutOfRange(*field, *value, pathOf(*field, entryKey));
                break;
            }
            case WireFormatLite::WIRETYPE_FIXED64:
                if (!skipFixed(8))
                    return;
                break;
            case WireFormatLite::WIRETYPE_FIXED32:
                if (!skipFixed(4))
                    return;
                break;
            case WireFormatLite::WIRETYPE_LENGTH_DELIMITED: {
                const auto bytes = payload();
                if (!bytes)
                    return;
                if (field && (wireTypeOf(*field) == wireType || field->is_packable()))
                    refusalsIn(*field, *bytes, entryKey);
                break;
            }
            default: return; // refusesTag() took it
            }
            if (field && wireType != wireTypeOf(*field) &&
                !(field->is_packable() && wireType == WireFormatLite::WIRETYPE_LENGTH_DELIMITED))
                refuseWireType(*field, wireType, entryKey);
        }
    }

    // Our decoder names the key of a primitive it decodes from a message or an entry: the field's
    // name, a oneof case's "_0", the entry's key for a map's value. Elements of lists have none.
    static std::vector<std::string> pathOf(const FieldDescriptor& field, const std::string* entryKey) {
        if (field.is_repeated())
            return {};
        if (entryKey)
            return {*entryKey};
        if (field.real_containing_oneof())
            return {"_0"};
        return {field.name()};
    }

    void refuseWireType(const FieldDescriptor& field, WireFormatLite::WireType wireType, const std::string* entryKey) {
        const std::string what = "Unexpected data type " + std::to_string(static_cast<int>(wireType));
        if (field.is_map() || (field.containing_type()->options().map_entry() && field.number() == 1))
            refuse(Refusal::unexpectedDictionaryKey());
        else if (field.type() == FieldDescriptor::TYPE_MESSAGE)
            refuse(Refusal::dataCorrupted(what)); // when the message is parsed
        else
            refuse(Refusal::dataCorrupted(what, pathOf(field, entryKey)));
    }

    // Of a length-delimited field of its own wire type or a packed run.
    void refusalsIn(const FieldDescriptor& field, std::span<const std::uint8_t> bytes, const std::string* entryKey) {
        if (field.type() == FieldDescriptor::TYPE_MESSAGE) {
            if (field.is_map()) {
                std::optional<std::string> key;
                if (entryStart(bytes, key))
                    ProtobufStrictness(bytes, *found_).message(field.message_type(), key ? &*key : nullptr);
                return;
            }
            ProtobufStrictness(bytes, *found_).message(field.message_type(), nullptr);
            return;
        }
        if (!field.is_packable() || wireTypeOf(field) != WireFormatLite::WIRETYPE_VARINT)
            return;
        ProtobufStrictness run(bytes, *found_);
        while (!run.atEnd()) {
            const auto value = run.varint();
            if (!value)
                return;
            if (value->overflows) {
                refuse(Refusal::dataCorrupted("Encoded variable-length integer out of range"));
                return;
            }
            refuseOutOfRange(field, *value, pathOf(field, entryKey));
        }
    }

    void refuseOutOfRange(const FieldDescriptor& field, const Varint& value, std::vector<std::string> path) {
        const auto number = static_cast<std::int64_t>(value.value);
        switch (field.type()) {
        case FieldDescriptor::TYPE_BOOL:
            if (value.size > 1)
                refuse(Refusal::dataCorrupted("Invalid data size", std::move(path)));
            return;
        case FieldDescriptor::TYPE_INT32:
            if (number < std::numeric_limits<std::int32_t>::min() || number > std::numeric_limits<std::int32_t>::max())
                break;
            return;
        case FieldDescriptor::TYPE_UINT32:
            if (value.value > std::numeric_limits<std::uint32_t>::max())
                break;
            return;
        case FieldDescriptor::TYPE_SINT32: {
            const auto decoded = static_cast<std::int64_t>((value.value >> 1) ^ (0 - (value.value & 1)));
            if (decoded < std::numeric_limits<std::int32_t>::min() || decoded > std::numeric_limits<std::int32_t>::max())
                break;
            return;
        }
        default: return;
        }
        refuse(Refusal::dataCorrupted("Encoded variable-length integer out of range", std::move(path)));
    }

    static WireFormatLite::WireType wireTypeOf(const FieldDescriptor& field) {
        return WireFormatLite::WireTypeForFieldType(static_cast<WireFormatLite::FieldType>(field.type()));
    }

    // Whether a map's entry begins with its key and then its value, as our decoder reads it; when it
    // does not, the refusal our decoder meets. `key` gets the text of the entry's last key, when it
    // has one of a key's wire type.
    bool entryStart(std::span<const std::uint8_t> entry, std::optional<std::string>& key) {
        ProtobufStrictness reader(entry, *found_);
        for (const std::uint64_t number : {1, 2}) {
            const auto tag = reader.varint(5);
            if (!tag) {
                refuse(Refusal::dataCorrupted("Premature end of data"));
                return false;
            }
            if (reader.refusesTag(tag->value))
                return false;
            if ((tag->value >> 3) == 0) {
                refuse(Refusal::integerKeyOutOfRange(0));
                return false;
            }
            if ((tag->value >> 3) != number) {
                refuse(Refusal::unexpectedDictionaryKey());
                return false;
            }
            const auto wireType = static_cast<WireFormatLite::WireType>(tag->value & 7);
            if (wireType == WireFormatLite::WIRETYPE_VARINT) {
                const auto value = reader.varint();
                if (!value)
                    return false;
                if (value->overflows) {
                    refuse(Refusal::dataCorrupted("Encoded variable-length integer out of range"));
                    return false;
                }
            } else if (!reader.skipValue(wireType)) {
                return false;
            }
        }
        // The key our decoder reads the value under: the last written.
        ProtobufStrictness keys(entry, *found_);
        while (!keys.atEnd()) {
            const auto tag = keys.varint(5);
            if (!tag || !isKnownWireType(tag->value & 7))
                break;
            const auto wireType = static_cast<WireFormatLite::WireType>(tag->value & 7);
            if (wireType == WireFormatLite::WIRETYPE_LENGTH_DELIMITED) {
                const auto bytes = keys.payload();
                if (!bytes)
                    break;
                if ((tag->value >> 3) == 1)
                    key.emplace(bytes->begin(), bytes->end());
            } else if (wireType == WireFormatLite::WIRETYPE_VARINT) {
                const auto value = keys.varint();
                if (!value)
                    break;
                if ((tag->value >> 3) == 1)
                    key = std::to_string(static_cast<std::int64_t>(value->value));
            } else if (!keys.skipValue(wireType)) {
                break;
            } else if ((tag->value >> 3) == 1) {
                key.reset();
            }
        }
        return true;
    }

    bool skipValue(WireFormatLite::WireType wireType) {
        switch (wireType) {
        case WireFormatLite::WIRETYPE_VARINT: return varint().has_value();
        case WireFormatLite::WIRETYPE_FIXED64: return skipFixed(8);
        case WireFormatLite::WIRETYPE_FIXED32: return skipFixed(4);
        case WireFormatLite::WIRETYPE_LENGTH_DELIMITED: return payload().has_value();
        default: return false;
        }
    }

    std::span<const std::uint8_t> bytes_;
    std::vector<Refusal>* found_;
    std::size_t at_ = 0;
};

} // namespace protofuzz
