#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace coding {

// A blob of bytes. Distinct from std::vector<std::uint8_t>, which codes as a list of UInt8.
struct Data {
    std::vector<std::uint8_t> bytes;

    Data() = default;
    explicit Data(std::vector<std::uint8_t> b) : bytes(std::move(b)) {}
    Data(std::initializer_list<std::uint8_t> b) : bytes(b) {}
    explicit Data(std::span<const std::uint8_t> b) : bytes(b.begin(), b.end()) {}
    explicit Data(std::string_view text) : bytes(text.begin(), text.end()) {}

    std::size_t size() const { return bytes.size(); }
    bool empty() const { return bytes.empty(); }
    const std::uint8_t* data() const { return bytes.data(); }
    std::span<const std::uint8_t> span() const { return bytes; }
    std::string_view view() const {
        return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
    }

    friend bool operator==(const Data&, const Data&) = default;
};

} // namespace coding
