#pragma once

#include "coding/CodingKey.h"
#include "coding/Primitive.h"

#include <nlohmann/json.hpp>

#include <string>
#include <string_view>

namespace coding {

// The JSON form of every primitive kind, both ways: integers of every width as exact JSON
// integers (FixedSize and SignedValue as the plain integer they wrap), Float and Double as
// numbers, String as itself, Data as a base64 string.
struct JsonPrimitiveCodec {
    // EncodingError invalidValue for what JSON cannot carry: NaN, infinities, text that is not
    // UTF-8.
    static nlohmann::ordered_json encode(const PrimitiveRef& value, std::string_view typeName,
                                         const CodingPath& path);

    // DecodingError valueNotFound for null, typeMismatch for a JSON value of another kind,
    // dataCorrupted for a number the type cannot hold exactly or text that is not base64.
    static PrimitiveValue decode(const nlohmann::ordered_json& json, PrimitiveKind kind, std::string_view typeName,
                                 const CodingPath& path);
};

// "a string", "an array", ...: what error messages say was found instead.
std::string describeJsonKind(const nlohmann::ordered_json& json);

} // namespace coding
