#pragma once

// Small records for the encoder tests, each coding itself the way the compact format's cases
// need.

#include "coding/Coding.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace encodertest {

using Bytes = std::vector<std::uint8_t>;

inline Bytes bytes(std::initializer_list<int> values) {
    Bytes out;
    for (int value : values)
        out.push_back(static_cast<std::uint8_t>(value));
    return out;
}

inline Bytes bytesOf(const coding::Data& data) { return data.bytes; }

// Two fields under text keys.
struct Pair {
    std::int64_t a = 0;
    std::string b;

    static inline const coding::CodingKey keyA{"a"}, keyB{"b"};
    static inline const coding::KeySet keys{keyA, keyB};

    void encode(coding::Encoder& encoder) const {
        auto c = encoder.container(keys);
        c.encode(a, keyA);
        c.encode(b, keyB);
    }
    static Pair decode(coding::Decoder& decoder) {
        auto c = decoder.container(keys);
        return Pair{c.decode<std::int64_t>(keyA), c.decode<std::string>(keyB)};
    }
    friend bool operator==(const Pair&, const Pair&) = default;
};

// A record under an integer key.
struct Outer {
    Pair inner;

    static inline const coding::CodingKey keyInner{"inner", 3};
    static inline const coding::KeySet keys{keyInner};

    void encode(coding::Encoder& encoder) const { encoder.container(keys).encode(inner, keyInner); }
    static Outer decode(coding::Decoder& decoder) {
        return Outer{decoder.container(keys).decode<Pair>(keyInner)};
    }
    friend bool operator==(const Outer&, const Outer&) = default;
};

// A record whose field is written with encode(), not encodeIfPresent(): the optional itself is
// the value under the key.
template <class T>
struct Boxed {
    T value{};

    static inline const coding::CodingKey keyValue{"v"};
    static inline const coding::KeySet keys{keyValue};

    void encode(coding::Encoder& encoder) const { encoder.container(keys).encode(value, keyValue); }
    static Boxed decode(coding::Decoder& decoder) { return Boxed{decoder.container(keys).decode<T>(keyValue)}; }
    friend bool operator==(const Boxed&, const Boxed&) = default;
};

// A non-optional type that describes itself as the optional it wraps.
struct OptionalWrapper {
    std::optional<std::int64_t> value;

    void encode(coding::Encoder& encoder) const { encoder.singleValueContainer().encode(value); }
    static OptionalWrapper decode(coding::Decoder& decoder) {
        return OptionalWrapper{decoder.singleValueContainer().decode<std::optional<std::int64_t>>()};
    }
    friend bool operator==(const OptionalWrapper&, const OptionalWrapper&) = default;
};

// A record with a parent part stored through superEncoder().
struct Derived {
    Pair base;
    std::int64_t extra = 0;

    static inline const coding::CodingKey keyExtra{"extra"};
    static inline const coding::KeySet keys{keyExtra};

    void encode(coding::Encoder& encoder) const {
        auto c = encoder.container(keys);
        c.encode(extra, keyExtra);
        base.encode(*c.superEncoder());
    }
    static Derived decode(coding::Decoder& decoder) {
        auto c = decoder.container(keys);
        Derived result;
        result.extra = c.decode<std::int64_t>(keyExtra);
        result.base = Pair::decode(*c.superDecoder());
        return result;
    }
    friend bool operator==(const Derived&, const Derived&) = default;
};

// A value whose coding opens no container at all.
struct Silent {
    void encode(coding::Encoder&) const {}
};

// A value that opens a single-value container and leaves it empty.
struct EmptySingleValue {
    void encode(coding::Encoder& encoder) const { encoder.singleValueContainer(); }
};

// A value that leaves the encoder it is handed for its parent part unused.
struct UnusedSuper {
    static inline const coding::CodingKey keyA{"a"};
    static inline const coding::KeySet keys{keyA};
    void encode(coding::Encoder& encoder) const { encoder.container(keys).superEncoder(); }
};

} // namespace encodertest
