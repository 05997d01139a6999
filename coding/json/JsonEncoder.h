#pragma once

#include "coding/Codable.h"
#include "coding/CodingKey.h"
#include "coding/Data.h"
#include "coding/EncodeItem.h"
#include "coding/UserInfo.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace coding {

struct JsonKeptElements;

// Writes a value as compact UTF-8 JSON, object keys in the order they were written.
// Throws EncodingError for what JSON cannot carry (NaN and infinities, text that is not UTF-8).
class JsonEncoder {
public:
    UserInfo userInfo;

    template <class T>
    Data encode(const T& value) const {
        return encodeItem(makeEncodeItem(value), nullptr);
    }

    // What encode(value) writes, with the elements of one list taken from an earlier encoding
    // where they have not changed, so that a long list of which an element or two changed costs
    // the encoding of those alone. `value` encodes as an object holding the list under `key`;
    // `earlierJson` is this encoder's JSON of `earlier`, a value of the same type; element i of
    // value's list is written as earlierJson holds element i of earlier's wherever `unchanged(i)`
    // (asked only for an i that both lists have) says the two are equal, and encoded otherwise.
    // Where earlierJson is not what this encoder writes of `earlier` around that list, or its list
    // does not hold as many elements as earlier's, every element is encoded. Throws as encode().
    template <class T, class Unchanged>
    Data encodeKeepingElements(const T& value, const CodingKey& key, const T& earlier, std::string_view earlierJson,
                               Unchanged&& unchanged) const {
        return encodeKeeping(makeEncodeItem(value), key, makeEncodeItem(earlier), earlierJson,
                             std::function<bool(std::size_t)>(std::forward<Unchanged>(unchanged)));
    }

private:
    Data encodeItem(const EncodeItem& item, const JsonKeptElements* kept) const;
    Data encodeKeeping(const EncodeItem& value, const CodingKey& key, const EncodeItem& earlier,
                       std::string_view earlierJson, const std::function<bool(std::size_t)>& unchanged) const;
    std::optional<std::vector<std::string_view>> elementsAsWritten(const EncodeItem& earlier, const CodingKey& key,
                                                                   std::string_view earlierJson) const;
};

} // namespace coding
