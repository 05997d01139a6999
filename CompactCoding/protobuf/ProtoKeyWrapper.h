#pragma once

#include "coding/CodingKey.h"

#include <compare>
#include <cstdint>
#include <optional>
#include <string>

namespace coding {

// Definition walk, not bytes: a field's key as ProtobufDefinition names and numbers it. Its twin
// IntKeyWrapper writes a field's tag for ProtobufEncoder.
//
// A field's key in the type-description walk: its integer value, when it has one, and its text.
// Two keys are the same only when both agree, so two keys of a dictionary that share no integer
// stay apart.
struct ProtoKeyWrapper {
    std::optional<std::int64_t> intValue;
    std::string stringValue;

    explicit ProtoKeyWrapper(const CodingKey& key) : intValue(key.intValue), stringValue(key.stringValue) {}

    // "name (5)", or the text alone for a key without an integer.
    std::string description() const {
        return intValue ? stringValue + " (" + std::to_string(*intValue) + ")" : stringValue;
    }

    friend bool operator==(const ProtoKeyWrapper&, const ProtoKeyWrapper&) = default;
    friend auto operator<=>(const ProtoKeyWrapper&, const ProtoKeyWrapper&) = default;
};

} // namespace coding
