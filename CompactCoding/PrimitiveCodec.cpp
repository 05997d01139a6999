#include "CompactCoding/PrimitiveCodec.h"

#include "coding/Utf8.h"
#include "CompactCoding/VariableLengthInteger.h"
#include "coding/DecodingError.h"
#include "coding/EncodingError.h"
#include "coding/Fatal.h"

#include <bit>
#include <cstring>
#include <string>
#include <type_traits>

namespace coding {

void detail::refuseText(std::string_view text) {
    throw EncodingError::invalidValue(std::string(text), ErrorContext{{}, "String is not UTF-8", nullptr});
}

namespace {

template <class T>
struct IsFixedSize : std::false_type {};
template <class T>
struct IsFixedSize<FixedSize<T>> : std::true_type {};

template <class T>
struct IsSignedValue : std::false_type {};
template <class T>
struct IsSignedValue<SignedValue<T>> : std::true_type {};

std::span<const std::uint8_t> textBytes(std::string_view text) {
    auto bytes = std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    if (!isValidUtf8(bytes))
        detail::refuseText(text);
    return bytes;
}

template <class T>
std::size_t writeLittleEndian(T value, std::uint8_t* out) {
    using Unsigned = std::make_unsigned_t<T>;
    auto bits = static_cast<Unsigned>(value);
    for (std::size_t i = 0; i < sizeof(T); ++i) {
        out[i] = static_cast<std::uint8_t>(bits);
        bits = static_cast<Unsigned>(bits >> 8);
    }
    return sizeof(T);
}

template <class T>
std::size_t writeBigEndian(T value, std::uint8_t* out) {
    using Unsigned = std::make_unsigned_t<T>;
    auto bits = static_cast<Unsigned>(value);
    for (std::size_t i = sizeof(T); i-- > 0;) {
        out[i] = static_cast<std::uint8_t>(bits);
        bits = static_cast<Unsigned>(bits >> 8);
    }
    return sizeof(T);
}

std::size_t writeVarint(std::uint64_t value, std::uint8_t* out) {
    return static_cast<std::size_t>(writeVariableLength(value, out) - out);
}

template <class T>
T readLittleEndian(std::span<const std::uint8_t> bytes) {
    using Unsigned = std::make_unsigned_t<T>;
    Unsigned bits = 0;
    for (std::size_t i = sizeof(T); i-- > 0;)
        bits = static_cast<Unsigned>((bits << 8) | bytes[i]);
    return static_cast<T>(bits);
}

template <class T>
T readBigEndian(std::span<const std::uint8_t> bytes) {
    using Unsigned = std::make_unsigned_t<T>;
    Unsigned bits = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i)
        bits = static_cast<Unsigned>((bits << 8) | bytes[i]);
    return static_cast<T>(bits);
}

void requireSize(std::span<const std::uint8_t> bytes, std::size_t size, const CodingPath& path) {
    if (bytes.size() != size)
        throw DecodingError::dataCorrupted(path, "Invalid data size");
}

[[noreturn]] void outOfRange(const CodingPath& path) {
    throw DecodingError::dataCorrupted(path, "Encoded variable-length integer out of range");
}

std::int32_t narrowToInt32(std::int64_t value, const CodingPath& path) {
    if (value != static_cast<std::int32_t>(value))
        outOfRange(path);
    return static_cast<std::int32_t>(value);
}

std::uint32_t narrowToUInt32(std::uint64_t value, const CodingPath& path) {
    if (value > 0xFFFF'FFFFu)
        outOfRange(path);
    return static_cast<std::uint32_t>(value);
}

std::int64_t readZigZag(std::span<const std::uint8_t> bytes, const CodingPath& path) {
    return zigZagDecode(readVariableLengthInteger(bytes, path));
}

// The text, built where it will be kept: a move of every decoded text costs more than it seems.
PrimitiveValue readText(std::span<const std::uint8_t> bytes, const CodingPath& path) {
    if (!isValidUtf8(bytes))
        throw DecodingError::dataCorrupted(path, "Invalid string");
    return PrimitiveValue(std::in_place_type<std::string>, reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

// The byte forms both directions share: 1-byte and 2-byte integers, fixed-size wrappers,
// booleans, text and blobs. Answers nothing for the kinds whose forms differ.
template <class T>
std::size_t writeSharedScalar(const T& value, std::uint8_t* out) {
    if constexpr (std::is_same_v<T, bool>) {
        out[0] = value ? 1 : 0;
        return 1;
    } else if constexpr (std::is_same_v<T, std::int8_t> || std::is_same_v<T, std::uint8_t>) {
        out[0] = static_cast<std::uint8_t>(value);
        return 1;
    } else if constexpr (std::is_same_v<T, std::int16_t> || std::is_same_v<T, std::uint16_t>) {
        return writeLittleEndian(value, out);
    } else if constexpr (std::is_same_v<T, std::uint32_t> || std::is_same_v<T, std::uint64_t>) {
        return writeVarint(value, out);
    } else if constexpr (IsFixedSize<T>::value) {
        return writeLittleEndian(value.wrappedValue, out);
    } else if constexpr (IsSignedValue<T>::value) {
        return writeVarint(zigZagEncode(value.wrappedValue), out);
    } else {
        static_assert(sizeof(T) == 0, "no shared form");
    }
}

template <class T>
PrimitiveValue readSharedScalar(std::span<const std::uint8_t> bytes, const CodingPath& path) {
    if constexpr (std::is_same_v<T, bool>) {
        requireSize(bytes, 1, path);
        return PrimitiveValue(std::in_place_type<bool>, bytes[0] != 0);
    } else if constexpr (std::is_same_v<T, std::int8_t> || std::is_same_v<T, std::uint8_t>) {
        requireSize(bytes, 1, path);
        return PrimitiveValue(std::in_place_type<T>, static_cast<T>(bytes[0]));
    } else if constexpr (std::is_same_v<T, std::int16_t> || std::is_same_v<T, std::uint16_t>) {
        requireSize(bytes, 2, path);
        return PrimitiveValue(std::in_place_type<T>, readLittleEndian<T>(bytes));
    } else if constexpr (std::is_same_v<T, std::uint32_t>) {
        return PrimitiveValue(std::in_place_type<T>, narrowToUInt32(readVariableLengthInteger(bytes, path), path));
    } else if constexpr (std::is_same_v<T, std::uint64_t>) {
        return PrimitiveValue(std::in_place_type<T>, readVariableLengthInteger(bytes, path));
    } else if constexpr (IsFixedSize<T>::value) {
        using Wrapped = decltype(T::wrappedValue);
        requireSize(bytes, sizeof(Wrapped), path);
        return PrimitiveValue(std::in_place_type<T>, T(readLittleEndian<Wrapped>(bytes)));
    } else if constexpr (std::is_same_v<T, SignedValue<std::int32_t>>) {
        return PrimitiveValue(std::in_place_type<T>, T(narrowToInt32(readZigZag(bytes, path), path)));
    } else if constexpr (std::is_same_v<T, SignedValue<std::int64_t>>) {
        return PrimitiveValue(std::in_place_type<T>, T(readZigZag(bytes, path)));
    } else if constexpr (std::is_same_v<T, std::string>) {
        return readText(bytes, path);
    } else if constexpr (std::is_same_v<T, Data>) {
        return PrimitiveValue(std::in_place_type<Data>, Data(bytes));
    } else {
        static_assert(sizeof(T) == 0, "no shared form");
    }
}

// The owned type of each alternative of PrimitiveRef, by kind.
template <PrimitiveKind kind>
using ValueType = std::variant_alternative_t<static_cast<std::size_t>(kind), PrimitiveValue>;

template <class Function>
PrimitiveValue dispatchKind(PrimitiveKind kind, Function&& function) {
    switch (kind) {
#define CODING_CASE(Kind)                                                                                    \
    case PrimitiveKind::Kind: return function.template operator()<ValueType<PrimitiveKind::Kind>>();
        CODING_CASE(Bool)
        CODING_CASE(Int8)
        CODING_CASE(UInt8)
        CODING_CASE(Int16)
        CODING_CASE(UInt16)
        CODING_CASE(Int32)
        CODING_CASE(UInt32)
        CODING_CASE(Int64)
        CODING_CASE(UInt64)
        CODING_CASE(Float)
        CODING_CASE(Double)
        CODING_CASE(String)
        CODING_CASE(Data)
        CODING_CASE(FixedInt32)
        CODING_CASE(FixedUInt32)
        CODING_CASE(FixedInt64)
        CODING_CASE(FixedUInt64)
        CODING_CASE(SignedInt32)
        CODING_CASE(SignedInt64)
#undef CODING_CASE
    }
    fatal("Unknown primitive kind");
}

std::span<const std::uint8_t> scratchSpan(const PrimitiveScratch& scratch, std::size_t size) {
    return std::span(scratch.data(), size);
}

// Texts and Bools, which both forms write alike, straight into the item's slot: false for a value
// of another kind.
bool decodeTextOrBool(DecodeItem& item, std::span<const std::uint8_t> bytes, const CodingPath& path) {
    switch (item.primitiveKind) {
    case PrimitiveKind::String:
        if (!isValidUtf8(bytes))
            throw DecodingError::dataCorrupted(path, "Invalid string");
        item.primitiveSlot<std::string>().emplace(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        return true;
    case PrimitiveKind::Bool:
        requireSize(bytes, 1, path);
        item.primitiveSlot<bool>() = bytes[0] != 0;
        return true;
    default:
        return false;
    }
}

} // namespace

// ---- compact format ----

std::span<const std::uint8_t> compactBytes(const PrimitiveRef& value, PrimitiveScratch& scratch) {
    return std::visit(
        [&scratch](const auto& v) -> std::span<const std::uint8_t> {
            using T = std::decay_t<decltype(v)>;
            std::uint8_t* out = scratch.data();
            if constexpr (std::is_same_v<T, std::string_view>)
                return textBytes(v);
            else if constexpr (std::is_same_v<T, std::span<const std::uint8_t>>)
                return v;
            else if constexpr (std::is_same_v<T, std::int32_t> || std::is_same_v<T, std::int64_t>)
                return scratchSpan(scratch, writeVarint(zigZagEncode(v), out));
            else if constexpr (std::is_same_v<T, float>)
                return scratchSpan(scratch, writeBigEndian(std::bit_cast<std::uint32_t>(v), out));
            else if constexpr (std::is_same_v<T, double>)
                return scratchSpan(scratch, writeBigEndian(std::bit_cast<std::uint64_t>(v), out));
            else
                return scratchSpan(scratch, writeSharedScalar(v, out));
        },
        value);
}

void appendPrimitive(const PrimitiveRef& value, std::vector<std::uint8_t>& out) {
    PrimitiveScratch scratch;
    auto bytes = compactBytes(value, scratch);
    out.insert(out.end(), bytes.begin(), bytes.end());
}

PrimitiveValue decodePrimitive(PrimitiveKind kind, std::span<const std::uint8_t> bytes, const CodingPath& path) {
    return dispatchKind(kind, [&]<class T>() -> PrimitiveValue {
        if constexpr (std::is_same_v<T, std::int32_t>) {
            return PrimitiveValue(std::in_place_type<T>, narrowToInt32(readZigZag(bytes, path), path));
        } else if constexpr (std::is_same_v<T, std::int64_t>) {
            return PrimitiveValue(std::in_place_type<T>, readZigZag(bytes, path));
        } else if constexpr (std::is_same_v<T, float>) {
            requireSize(bytes, 4, path);
            return PrimitiveValue(std::in_place_type<T>, std::bit_cast<float>(readBigEndian<std::uint32_t>(bytes)));
        } else if constexpr (std::is_same_v<T, double>) {
            requireSize(bytes, 8, path);
            return PrimitiveValue(std::in_place_type<T>, std::bit_cast<double>(readBigEndian<std::uint64_t>(bytes)));
        } else {
            return readSharedScalar<T>(bytes, path);
        }
    });
}

void decodePrimitive(DecodeItem& item, std::span<const std::uint8_t> bytes, const CodingPath& path) {
    if (decodeTextOrBool(item, bytes, path))
        return;
    switch (item.primitiveKind) {
    case PrimitiveKind::Int64:
    {
        // Most integers take a byte or two, read without a call; later bytes are ignored either way.
        std::size_t index = 0;
        item.primitiveSlot<std::int64_t>() = zigZagDecode(readVariableLengthIntegerAt(bytes, index, path));
        return;
    }
    default:
        item.assign(decodePrimitive(item.primitiveKind, bytes, path));
        return;
    }
}

// ---- protobuf-compatible form ----

std::string_view protoTypeName(PrimitiveKind kind) {
    switch (kind) {
    case PrimitiveKind::Bool: return "bool";
    case PrimitiveKind::Int32: return "int32";
    case PrimitiveKind::UInt32: return "uint32";
    case PrimitiveKind::Int64: return "int64";
    case PrimitiveKind::UInt64: return "uint64";
    case PrimitiveKind::Float: return "float";
    case PrimitiveKind::Double: return "double";
    case PrimitiveKind::String: return "string";
    case PrimitiveKind::Data: return "bytes";
    case PrimitiveKind::FixedInt32: return "sfixed32";
    case PrimitiveKind::FixedUInt32: return "fixed32";
    case PrimitiveKind::FixedInt64: return "sfixed64";
    case PrimitiveKind::FixedUInt64: return "fixed64";
    case PrimitiveKind::SignedInt32: return "sint32";
    case PrimitiveKind::SignedInt64: return "sint64";
    case PrimitiveKind::Int8:
    case PrimitiveKind::UInt8:
    case PrimitiveKind::Int16:
    case PrimitiveKind::UInt16: return {};
    }
    return {};
}

bool isZero(const PrimitiveRef& value) {
    return std::visit(
        [](const auto& v) -> bool {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::string_view> || std::is_same_v<T, std::span<const std::uint8_t>>)
                return v.empty();
            else if constexpr (std::is_same_v<T, float>)
                return (std::bit_cast<std::uint32_t>(v) & 0x7FFF'FFFFu) == 0;
            else if constexpr (std::is_same_v<T, double>)
                return (std::bit_cast<std::uint64_t>(v) & 0x7FFF'FFFF'FFFF'FFFFull) == 0;
            else if constexpr (IsFixedSize<T>::value || IsSignedValue<T>::value)
                return v.wrappedValue == 0;
            else
                return v == T{};
        },
        value);
}

PrimitiveValue protobufZero(PrimitiveKind kind) {
    return dispatchKind(kind, []<class T>() -> PrimitiveValue { return PrimitiveValue(std::in_place_type<T>); });
}

void assignProtobufZero(DecodeItem& item) {
    switch (item.primitiveKind) {
    case PrimitiveKind::String: item.primitiveSlot<std::string>().emplace(); return;
    case PrimitiveKind::Int64: item.primitiveSlot<std::int64_t>() = 0; return;
    case PrimitiveKind::Bool: item.primitiveSlot<bool>() = false; return;
    default: item.assign(protobufZero(item.primitiveKind)); return;
    }
}


std::span<const std::uint8_t> protobufBytes(const PrimitiveRef& value, PrimitiveScratch& scratch) {
    return protobufForm(value, scratch).bytes;
}

void appendProtobufPrimitive(const PrimitiveRef& value, std::vector<std::uint8_t>& out) {
    PrimitiveScratch scratch;
    auto bytes = protobufBytes(value, scratch);
    out.insert(out.end(), bytes.begin(), bytes.end());
}

PrimitiveValue decodeProtobufPrimitive(PrimitiveKind kind, std::span<const std::uint8_t> bytes,
                                       const CodingPath& path) {
    return dispatchKind(kind, [&]<class T>() -> PrimitiveValue {
        if constexpr (std::is_same_v<T, bool>) {
            requireSize(bytes, 1, path);
            return PrimitiveValue(std::in_place_type<bool>, bytes[0] != 0);
        } else if constexpr (std::is_same_v<T, std::int32_t>) {
            const auto pattern = static_cast<std::int64_t>(readExtendedVariableLengthInteger(bytes, path));
            return PrimitiveValue(std::in_place_type<T>, narrowToInt32(pattern, path));
        } else if constexpr (std::is_same_v<T, std::int64_t>) {
            return PrimitiveValue(std::in_place_type<T>,
                                  static_cast<std::int64_t>(readExtendedVariableLengthInteger(bytes, path)));
        } else if constexpr (std::is_same_v<T, std::uint32_t>) {
            return PrimitiveValue(std::in_place_type<T>,
                                  narrowToUInt32(readExtendedVariableLengthInteger(bytes, path), path));
        } else if constexpr (std::is_same_v<T, std::uint64_t>) {
            return PrimitiveValue(std::in_place_type<T>, readExtendedVariableLengthInteger(bytes, path));
        } else if constexpr (std::is_same_v<T, SignedValue<std::int32_t>>) {
            const auto value = zigZagDecode(readExtendedVariableLengthInteger(bytes, path));
            return PrimitiveValue(std::in_place_type<T>, T(narrowToInt32(value, path)));
        } else if constexpr (std::is_same_v<T, SignedValue<std::int64_t>>) {
            return PrimitiveValue(std::in_place_type<T>, T(zigZagDecode(readExtendedVariableLengthInteger(bytes, path))));
        } else if constexpr (std::is_same_v<T, float>) {
            requireSize(bytes, 4, path);
            return PrimitiveValue(std::in_place_type<T>,
                                  std::bit_cast<float>(readLittleEndian<std::uint32_t>(bytes)));
        } else if constexpr (std::is_same_v<T, double>) {
            requireSize(bytes, 8, path);
            return PrimitiveValue(std::in_place_type<T>,
                                  std::bit_cast<double>(readLittleEndian<std::uint64_t>(bytes)));
        } else if constexpr (std::is_same_v<T, std::int8_t> || std::is_same_v<T, std::uint8_t> ||
                             std::is_same_v<T, std::int16_t> || std::is_same_v<T, std::uint16_t>) {
            fatal("A primitive without a protobuf form reached the protobuf codec");
        } else {
            return readSharedScalar<T>(bytes, path);
        }
    });
}

void decodeProtobufPrimitive(DecodeItem& item, std::span<const std::uint8_t> bytes, const CodingPath& path) {
    if (decodeTextOrBool(item, bytes, path))
        return;
    switch (item.primitiveKind) {
    case PrimitiveKind::Int64:
        // Most integers take a byte, read without a call.
        item.primitiveSlot<std::int64_t>() = bytes.size() == 1 && bytes[0] < 0x80
                                                 ? bytes[0]
                                                 : static_cast<std::int64_t>(readExtendedVariableLengthInteger(bytes, path));
        return;
    default:
        item.assign(decodeProtobufPrimitive(item.primitiveKind, bytes, path));
        return;
    }
}

} // namespace coding
