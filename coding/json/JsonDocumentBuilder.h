#pragma once

#include <nlohmann/json.hpp>

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace coding {

// Reads JSON text into a document that keeps object members in the order of the text. The
// ordered document's own parser looks up every key with a linear search, which a hostile object
// of many keys turns into a hang; this builder keeps a hash of each open object's keys instead.
// A key given twice keeps its first place and takes the last value. Nesting deeper than
// maximumDepth is refused, so that decoding a recursive type cannot exhaust the stack.
class JsonDocumentBuilder final : public nlohmann::json_sax<nlohmann::ordered_json> {
public:
    static constexpr std::size_t maximumDepth = 512;

    // Throws DecodingError dataCorrupted (with an empty path) when `text` is not valid JSON.
    static nlohmann::ordered_json parse(std::string_view text);

    bool null() override;
    bool boolean(bool value) override;
    bool number_integer(number_integer_t value) override;
    bool number_unsigned(number_unsigned_t value) override;
    bool number_float(number_float_t value, const string_t& text) override;
    bool string(string_t& value) override;
    bool binary(binary_t& value) override;
    bool start_object(std::size_t elements) override;
    bool key(string_t& value) override;
    bool end_object() override;
    bool start_array(std::size_t elements) override;
    bool end_array() override;
    bool parse_error(std::size_t position, const std::string& lastToken,
                     const nlohmann::detail::exception& error) override;

private:
    struct OpenContainer {
        nlohmann::ordered_json* value;
        std::unordered_map<std::string, std::size_t> memberIndex; // objects only
        std::string pendingKey;                                     // objects only
    };

    // Puts `value` where the text has it (the root, the next element, the pending member) and
    // answers where it went.
    nlohmann::ordered_json* place(nlohmann::ordered_json&& value);
    bool open(nlohmann::ordered_json&& container);

    nlohmann::ordered_json root_;
    std::vector<OpenContainer> open_;
    std::string error_;
};

} // namespace coding
