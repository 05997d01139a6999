#pragma once

// One fuzz input as several files: the bytes between separators, in order. The separator holds
// a byte that UTF-8 never does, so it stands in neither JSON nor text; the seed writer joins
// its files with it.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace fuzzing {

inline constexpr std::string_view partSeparator{"\xFF@@", 3};

// At most `maxParts` parts; what follows the last of them is left out.
inline std::vector<std::string_view> inputParts(std::string_view input, std::size_t maxParts) {
    std::vector<std::string_view> parts;
    while (parts.size() < maxParts) {
        const std::size_t end = input.find(partSeparator);
        parts.push_back(input.substr(0, end));
        if (end == std::string_view::npos) {
            break;
        }
        input.remove_prefix(end + partSeparator.size());
    }
    return parts;
}

inline std::string_view asText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

} // namespace fuzzing
