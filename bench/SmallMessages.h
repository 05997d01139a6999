#pragma once

// The records of small.proto, field for field, for the protobuf-compatible coders: lists of small
// messages, with a oneof or without.

#include "coding/Coding.h"

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace small {

using coding::CodingKey;
using coding::KeySet;

struct Plain {
    std::int64_t number = 0;
    std::string text;

    static inline const CodingKey keyNumber{"number", 1}, keyText{"text", 2};
    static inline const KeySet keys{keyNumber, keyText};

    void encode(coding::Encoder& encoder) const {
        auto c = encoder.container(keys);
        c.encode(number, keyNumber);
        c.encode(text, keyText);
    }
    static Plain decode(coding::Decoder& decoder) {
        auto c = decoder.container(keys);
        return Plain{c.decode<std::int64_t>(keyNumber), c.decode<std::string>(keyText)};
    }
    friend bool operator==(const Plain&, const Plain&) = default;
};

// The oneof of Choosing: a count (field 2) or a label (field 3).
struct Choice {
    static constexpr bool isOneOf = true;

    std::variant<std::int64_t, std::string> value;

    static inline const CodingKey keyCount{"count", 2}, keyLabel{"label", 3};
    static inline const KeySet keys{keyCount, keyLabel};
    static inline const CodingKey valueKey{"_0"};
    static inline const KeySet valueKeys{valueKey};

    void encode(coding::Encoder& encoder) const {
        auto c = encoder.container(keys);
        auto inner = c.nestedContainer(valueKeys, value.index() == 0 ? keyCount : keyLabel);
        std::visit([&](const auto& v) { inner.encode(v, valueKey); }, value);
    }
    static Choice decode(coding::Decoder& decoder) {
        auto c = decoder.container(keys);
        const auto present = c.allKeys();
        if (present.empty())
            throw coding::DecodingError::valueNotFound("Choice", {c.codingPath(), "No case of Choice", nullptr});
        auto inner = c.nestedContainer(valueKeys, present.front());
        if (present.front() == keyCount)
            return Choice{inner.decode<std::int64_t>(valueKey)};
        return Choice{inner.decode<std::string>(valueKey)};
    }
    friend bool operator==(const Choice&, const Choice&) = default;
};

struct Choosing {
    std::int64_t number = 0;
    std::optional<Choice> choice;

    // The oneof's own key is not on the wire: its cases are.
    static inline const CodingKey keyNumber{"number", 1}, keyChoice{"choice", 4};
    static inline const KeySet keys{keyNumber, keyChoice};

    void encode(coding::Encoder& encoder) const {
        auto c = encoder.container(keys);
        c.encode(number, keyNumber);
        c.encodeIfPresent(choice, keyChoice);
    }
    static Choosing decode(coding::Decoder& decoder) {
        auto c = decoder.container(keys);
        return Choosing{c.decode<std::int64_t>(keyNumber), c.decodeIfPresent<Choice>(keyChoice)};
    }
    friend bool operator==(const Choosing&, const Choosing&) = default;
};

// A message holding a list of `T`, field 1.
template <class T>
struct Items {
    std::vector<T> items;

    static inline const CodingKey keyItems{"items", 1};
    static inline const KeySet keys{keyItems};

    void encode(coding::Encoder& encoder) const { encoder.container(keys).encode(items, keyItems); }
    static Items decode(coding::Decoder& decoder) { return Items{decoder.container(keys).decode<std::vector<T>>(keyItems)}; }
    friend bool operator==(const Items&, const Items&) = default;
};

} // namespace small
