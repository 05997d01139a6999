#pragma once

#include "coding/CodingKey.h"

#include <cstdint>
#include <string_view>

namespace coding {

// The key under which a keyed container keeps the nested encoder or decoder it hands out for a
// record's parent part. Its integer value makes the entry an integer-key entry with key 0; a
// decoder finds it under integer key 0 or under the text "super".
struct SuperEncoderKey {
    static constexpr std::string_view stringValue = "super";
    static constexpr std::int64_t intValue = 0;

    SuperEncoderKey() = default;
    // Every text gives the one key.
    explicit SuperEncoderKey(std::string_view) {}

    static const CodingKey& codingKey() {
        static const CodingKey key(std::string(stringValue), intValue);
        return key;
    }
    operator const CodingKey&() const { return codingKey(); }
};

} // namespace coding
