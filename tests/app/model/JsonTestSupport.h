#pragma once

#include "coding/DecodingError.h"
#include "coding/json/JsonDecoder.h"
#include "coding/json/JsonEncoder.h"

#include <stdexcept>
#include <string>
#include <string_view>

namespace lumenscroll::test {

template <class T> std::string toJson(const T& value) {
    return std::string(coding::JsonEncoder{}.encode(value).view());
}

template <class T> T fromJson(std::string_view json) {
    return coding::JsonDecoder{}.decode<T>(json);
}

template <class T> T jsonRoundTrip(const T& value) {
    return coding::JsonDecoder{}.decode<T>(coding::JsonEncoder{}.encode(value));
}

template <class T> coding::DecodingError decodingError(std::string_view json) {
    try {
        (void)fromJson<T>(json);
    } catch (const coding::DecodingError& error) {
        return error;
    }
    throw std::logic_error("decoded without an error: " + std::string(json));
}

// The compact JSON text without the member `key` of the outermost object.
std::string withoutTopLevelKey(std::string_view json, std::string_view key);

} // namespace lumenscroll::test
