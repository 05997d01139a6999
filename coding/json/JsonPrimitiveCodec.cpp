#include "coding/json/JsonPrimitiveCodec.h"

#include "coding/DecodingError.h"
#include "coding/EncodingError.h"
#include "coding/json/Base64.h"
#include "coding/Utf8.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <type_traits>
#include <utility>

namespace coding {

using Json = nlohmann::ordered_json;

std::string describeJsonKind(const Json& json) {
    switch (json.type()) {
    case Json::value_t::null: return "null";
    case Json::value_t::boolean: return "a bool";
    case Json::value_t::string: return "a string";
    case Json::value_t::array: return "an array";
    case Json::value_t::object: return "a dictionary";
    default: return "a number";
    }
}

namespace {

template <class T>
struct Wrapped {
    static constexpr bool isWrapper = false;
};
template <class T>
struct Wrapped<FixedSize<T>> {
    static constexpr bool isWrapper = true;
    using type = T;
};
template <class T>
struct Wrapped<SignedValue<T>> {
    static constexpr bool isWrapper = true;
    using type = T;
};

// ---- encoding ----

template <class I>
Json integerJson(I value) {
    if constexpr (std::is_signed_v<I>)
        return Json(static_cast<std::int64_t>(value));
    else
        return Json(static_cast<std::uint64_t>(value));
}

template <class F>
Json floatingPointJson(F value, std::string_view typeName, const CodingPath& path) {
    if (!std::isfinite(value)) {
        const char* name = std::isnan(value) ? "nan" : value > 0 ? "infinity" : "-infinity";
        throw EncodingError::invalidValue(
            value, ErrorContext{path, "Unable to encode " + std::string(typeName) + "." + name + " directly in JSON.",
                                nullptr});
    }
    if constexpr (std::is_same_v<F, float>) {
        // The writer prints doubles, and 0.1f widened prints as 0.10000000149011612. The double
        // nearest to the float's shortest decimal form prints as "0.1" and narrows back to the
        // very same float.
        std::array<char, 64> buffer{};
        const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
        double shortest = 0;
        std::from_chars(buffer.data(), written.ptr, shortest);
        return Json(shortest);
    } else {
        return Json(value);
    }
}

// ---- decoding ----

struct Expectation {
    std::string_view typeName;
    const CodingPath& path;
};

[[noreturn]] void throwTypeMismatch(const Json& json, const Expectation& expected) {
    throw DecodingError::typeMismatch(
        expected.typeName, ErrorContext{expected.path,
                                        "Expected to decode " + std::string(expected.typeName) + " but found " +
                                            describeJsonKind(json) + " instead.",
                                        nullptr});
}

[[noreturn]] void throwDoesNotFit(const Json& json, const Expectation& expected) {
    throw DecodingError::dataCorrupted(expected.path, "Parsed JSON number <" + json.dump() + "> does not fit in " +
                                                          std::string(expected.typeName) + ".");
}

template <class I>
I integerFromJson(const Json& json, const Expectation& expected) {
    switch (json.type()) {
    case Json::value_t::number_unsigned: {
        const auto value = json.get<std::uint64_t>();
        if (std::in_range<I>(value))
            return static_cast<I>(value);
        break;
    }
    case Json::value_t::number_integer: {
        const auto value = json.get<std::int64_t>();
        if (std::in_range<I>(value))
            return static_cast<I>(value);
        break;
    }
    case Json::value_t::number_float: {
        // Past 2^53 a double no longer tells which integer the text spelled
        // ("-9223372036854775809" reads as -2^63), so only smaller integral values are taken.
        constexpr double exactLimit = 9007199254740992.0;
        const auto value = json.get<double>();
        if (std::trunc(value) == value && std::fabs(value) < exactLimit) {
            const auto integer = static_cast<std::int64_t>(value);
            if (std::in_range<I>(integer))
                return static_cast<I>(integer);
        }
        break;
    }
    default:
        throwTypeMismatch(json, expected);
    }
    throwDoesNotFit(json, expected);
}

template <class T>
T fromJson(const Json& json, const Expectation& expected) {
    if constexpr (std::is_same_v<T, bool>) {
        if (!json.is_boolean())
            throwTypeMismatch(json, expected);
        return json.get<bool>();
    } else if constexpr (std::is_floating_point_v<T>) {
        if (!json.is_number())
            throwTypeMismatch(json, expected);
        const auto value = json.get<double>();
        if constexpr (std::is_same_v<T, float>) {
            // Numbers up to half a step past the largest float still round to it: that is how
            // its own shortest form, 3.4028235e+38, reads back.
            constexpr double roundsToFinite = static_cast<double>(std::numeric_limits<float>::max()) + 0x1p103;
            if (!(std::fabs(value) < roundsToFinite))
                throwDoesNotFit(json, expected);
            return static_cast<float>(value);
        } else {
            return value;
        }
    } else if constexpr (std::is_integral_v<T>) {
        return integerFromJson<T>(json, expected);
    } else if constexpr (std::is_same_v<T, std::string>) {
        if (!json.is_string())
            throwTypeMismatch(json, expected);
        return json.get_ref<const std::string&>();
    } else if constexpr (std::is_same_v<T, Data>) {
        if (!json.is_string())
            throwTypeMismatch(json, expected);
        auto data = Base64::decode(json.get_ref<const std::string&>());
        if (!data)
            throw DecodingError::dataCorrupted(expected.path, "Encountered Data is not valid Base64.");
        return std::move(*data);
    } else {
        static_assert(Wrapped<T>::isWrapper);
        return T(integerFromJson<typename Wrapped<T>::type>(json, expected));
    }
}

using Decode = PrimitiveValue (*)(const Json&, const Expectation&);

// One entry per primitive kind, in the order of PrimitiveValue's alternatives.
template <std::size_t... Kind>
constexpr std::array<Decode, sizeof...(Kind)> makeDecodingTable(std::index_sequence<Kind...>) {
    return {[](const Json& json, const Expectation& expected) {
        using T = std::variant_alternative_t<Kind, PrimitiveValue>;
        return PrimitiveValue(std::in_place_index<Kind>, fromJson<T>(json, expected));
    }...};
}

constexpr auto decodingTable = makeDecodingTable(std::make_index_sequence<std::variant_size_v<PrimitiveValue>>());

} // namespace

Json JsonPrimitiveCodec::encode(const PrimitiveRef& value, std::string_view typeName, const CodingPath& path) {
    return std::visit(
        [&](const auto& primitive) -> Json {
            using V = std::decay_t<decltype(primitive)>;
            if constexpr (std::is_same_v<V, bool>) {
                return Json(primitive);
            } else if constexpr (std::is_floating_point_v<V>) {
                return floatingPointJson(primitive, typeName, path);
            } else if constexpr (std::is_integral_v<V>) {
                return integerJson(primitive);
            } else if constexpr (std::is_same_v<V, std::string_view>) {
                if (!isValidUtf8(primitive))
                    throw EncodingError::invalidValue(std::string(primitive),
                                                      ErrorContext{path, "String is not UTF-8", nullptr});
                return Json(std::string(primitive));
            } else if constexpr (std::is_same_v<V, std::span<const std::uint8_t>>) {
                return Json(Base64::encode(primitive));
            } else {
                static_assert(Wrapped<V>::isWrapper);
                return integerJson(primitive.wrappedValue);
            }
        },
        value);
}

PrimitiveValue JsonPrimitiveCodec::decode(const Json& json, PrimitiveKind kind, std::string_view typeName,
                                          const CodingPath& path) {
    if (json.is_null())
        throw DecodingError::valueNotFound(
            typeName,
            ErrorContext{path, "Expected " + std::string(typeName) + " value but found null instead.", nullptr});
    return decodingTable[static_cast<std::size_t>(kind)](json, Expectation{typeName, path});
}

} // namespace coding
