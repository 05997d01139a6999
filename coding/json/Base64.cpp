#include "coding/json/Base64.h"

#include <array>

namespace coding {

namespace {

constexpr std::string_view alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr std::uint8_t notInAlphabet = 0xFF;

constexpr std::array<std::uint8_t, 256> makeDecodingTable() {
    std::array<std::uint8_t, 256> table{};
    for (auto& entry : table)
        entry = notInAlphabet;
    for (std::size_t i = 0; i < alphabet.size(); ++i)
        table[static_cast<unsigned char>(alphabet[i])] = static_cast<std::uint8_t>(i);
    return table;
}

constexpr auto decodingTable = makeDecodingTable();

} // namespace

std::string Base64::encode(std::span<const std::uint8_t> bytes) {
    std::string text;
    text.reserve((bytes.size() + 2) / 3 * 4);
    std::size_t i = 0;
    for (; bytes.size() - i >= 3; i += 3) {
        const std::uint32_t group = (std::uint32_t{bytes[i]} << 16) | (std::uint32_t{bytes[i + 1]} << 8) | bytes[i + 2];
        text += alphabet[(group >> 18) & 0x3F];
        text += alphabet[(group >> 12) & 0x3F];
        text += alphabet[(group >> 6) & 0x3F];
        text += alphabet[group & 0x3F];
    }
    const std::size_t rest = bytes.size() - i;
    if (rest == 0)
        return text;
    std::uint32_t group = std::uint32_t{bytes[i]} << 16;
    if (rest == 2)
        group |= std::uint32_t{bytes[i + 1]} << 8;
    text += alphabet[(group >> 18) & 0x3F];
    text += alphabet[(group >> 12) & 0x3F];
    text += rest == 2 ? alphabet[(group >> 6) & 0x3F] : '=';
    text += '=';
    return text;
}

std::optional<Data> Base64::decode(std::string_view text) {
    if (text.size() % 4 != 0)
        return std::nullopt;
    std::size_t padding = 0;
    if (!text.empty() && text.back() == '=')
        padding = text.size() >= 2 && text[text.size() - 2] == '=' ? 2 : 1;

    Data data;
    data.bytes.reserve(text.size() / 4 * 3);
    for (std::size_t i = 0; i < text.size(); i += 4) {
        const bool last = i + 4 == text.size();
        std::uint32_t group = 0;
        for (std::size_t k = 0; k < 4; ++k) {
            const char c = text[i + k];
            std::uint8_t sextet = 0;
            if (last && c == '=' && k >= 4 - padding) {
                sextet = 0;
            } else {
                sextet = decodingTable[static_cast<unsigned char>(c)];
                if (sextet == notInAlphabet)
                    return std::nullopt;
            }
            group = (group << 6) | sextet;
        }
        data.bytes.push_back(static_cast<std::uint8_t>(group >> 16));
        if (!last || padding < 2)
            data.bytes.push_back(static_cast<std::uint8_t>(group >> 8));
        if (!last || padding < 1)
            data.bytes.push_back(static_cast<std::uint8_t>(group));
    }
    return data;
}

} // namespace coding
