#pragma once

#include "coding/Codable.h"
#include "coding/Data.h"
#include "coding/DecodeItem.h"
#include "coding/UserInfo.h"

#include <string_view>

namespace coding {

// Reads a value from UTF-8 JSON, as strictly as Swift's JSONDecoder: a missing key is
// keyNotFound, null for a value that is not optional valueNotFound, a JSON value of the wrong
// kind typeMismatch, a number the type cannot hold exactly or text that is not JSON
// dataCorrupted. Keys the value does not ask for are ignored.
class JsonDecoder {
public:
    UserInfo userInfo;

    template <class T>
    T decode(const Data& json) const {
        return decode<T>(json.view());
    }

    template <class T>
    T decode(std::string_view json) const {
        return decodeThrough<T>([&](DecodeItem& item) { decodeItem(item, json); });
    }

private:
    void decodeItem(DecodeItem& item, std::string_view json) const;
};

} // namespace coding
