#pragma once

#include "coding/CodingKey.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string_view>

namespace coding {

// The elements of one list in a value being encoded that are written as JSON texts given rather
// than encoded (JsonEncoder::encodeKeepingElements): the list under `key` in the object the value
// encodes as, each element that its container encodes as one value.
struct JsonKeptElements {
    std::string_view key;
    // The text element `index` is written as, as it is; none to encode the element.
    std::function<std::optional<std::string_view>(std::size_t index)> text;

    // Whether the list at `path` is that list.
    bool isKeptList(const CodingPath& path) const {
        return path.size() == 1 && !path.front().intValue && path.front().stringValue == key;
    }
};

} // namespace coding
