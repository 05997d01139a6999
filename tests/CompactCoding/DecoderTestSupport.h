#pragma once

// Hand-written compact bytes and error checks shared by the decoder tests.

#include "CompactCoding/DataType.h"
#include "coding/Coding.h"
#include "coding/DecodingError.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace decodertest {

using Bytes = std::vector<std::uint8_t>;
using coding::DataType;

// Two integer fields under text keys; the decoder tests write its bytes by hand.
struct Point {
    std::int64_t x = 0;
    std::int64_t y = 0;

    static inline const coding::CodingKey keyX{"x"}, keyY{"y"};
    static inline const coding::KeySet keys{keyX, keyY};

    static Point decode(coding::Decoder& decoder) {
        auto c = decoder.container(keys);
        return Point{c.decode<std::int64_t>(keyX), c.decode<std::int64_t>(keyY)};
    }
    friend bool operator==(const Point&, const Point&) = default;
};

// Builds input byte by byte; every helper writes the format's own layout by hand.
struct Writer {
    Bytes out;

    Writer& raw(std::initializer_list<int> bytes) {
        for (int b : bytes)
            out.push_back(static_cast<std::uint8_t>(b));
        return *this;
    }
    Writer& raw(const Bytes& bytes) {
        out.insert(out.end(), bytes.begin(), bytes.end());
        return *this;
    }
    Writer& varint(std::uint64_t value) {
        for (int i = 0; i < 8; ++i) {
            if (value < 0x80) {
                out.push_back(static_cast<std::uint8_t>(value));
                return *this;
            }
            out.push_back(static_cast<std::uint8_t>((value & 0x7F) | 0x80));
            value >>= 7;
        }
        out.push_back(static_cast<std::uint8_t>(value));
        return *this;
    }
    Writer& zigzag(std::int64_t value) {
        const auto bits = static_cast<std::uint64_t>(value);
        return varint(value < 0 ? (~bits << 1) | 1 : bits << 1);
    }
    Writer& stringKey(std::string_view key, DataType type) {
        varint((static_cast<std::uint64_t>(key.size()) << 4) | 8 | static_cast<std::uint64_t>(type));
        out.insert(out.end(), key.begin(), key.end());
        return *this;
    }
    Writer& intKey(std::int64_t key, DataType type) {
        return varint((static_cast<std::uint64_t>(key) << 4) | static_cast<std::uint64_t>(type));
    }
    // A length prefix, then the bytes.
    Writer& prefixed(const Bytes& bytes) {
        varint(bytes.size());
        return raw(bytes);
    }
    Writer& text(std::string_view value) {
        varint(value.size());
        out.insert(out.end(), value.begin(), value.end());
        return *this;
    }
    // Common entries.
    Writer& intEntry(std::string_view key, std::int64_t value) { return stringKey(key, DataType::variableLengthInteger).zigzag(value); }
    Writer& textEntry(std::string_view key, std::string_view value) { return stringKey(key, DataType::variableLength).text(value); }
    Writer& boolEntry(std::string_view key, bool value) {
        return stringKey(key, DataType::variableLengthInteger).raw({value ? 1 : 0});
    }
    Writer& recordEntry(std::string_view key, const Bytes& record) {
        return stringKey(key, DataType::variableLength).prefixed(record);
    }

    operator Bytes() const { return out; }
    operator std::span<const std::uint8_t>() const { return out; }
};

// The error `run` throws, or a test failure when it throws none.
template <class Run>
std::optional<coding::DecodingError> decodingErrorOf(Run&& run) {
    try {
        run();
    } catch (const coding::DecodingError& error) {
        return error;
    }
    ADD_FAILURE() << "no decoding error was thrown";
    return std::nullopt;
}

// The string values of a coding path, joined with ".", for compact comparisons.
inline std::string pathText(const coding::CodingPath& path) { return coding::describePath(path); }

#define EXPECT_CORRUPT(expression, message, path)                                                              \
    do {                                                                                                       \
        auto caught_ = ::decodertest::decodingErrorOf([&] { (void)(expression); });                          \
        if (caught_) {                                                                                         \
            EXPECT_EQ(caught_->kind(), ::coding::DecodingError::Kind::dataCorrupted) << caught_->what();      \
            EXPECT_EQ(caught_->debugDescription(), message);                                                  \
            EXPECT_EQ(::decodertest::pathText(caught_->codingPath()), path);                                  \
        }                                                                                                      \
    } while (false)

} // namespace decodertest
