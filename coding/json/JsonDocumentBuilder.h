#pragma once

#include <nlohmann/json.hpp>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
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
    // Most texts are read by JsonPlainReader, which gives the same document faster.
    static nlohmann::ordered_json parse(std::string_view text);
    // The same by the general parser alone.
    static nlohmann::ordered_json parseGenerally(std::string_view text);

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
    using Member = std::pair<std::string, nlohmann::ordered_json>;
    // Objects of more members than this find a repeated key through a hash of their keys; smaller
    // ones, all but a hostile few, by looking through them.
    static constexpr std::size_t membersSearched = 16;

    // An object's members are gathered with keys that can move (the document's own keys are
    // const, so its member list copies every member, nested values and all, each time it grows)
    // and go into the object once it closes. The lists of closed objects are kept for the next
    // object at their depth, so that they are not grown again for each.
    struct OpenContainer {
        nlohmann::ordered_json* value;
        std::vector<Member> members;                                // objects only
        std::unordered_map<std::string, std::size_t> memberIndex; // objects of many members only
        std::string pendingKey;                                     // objects only
    };

    // Puts `value` where the text has it (the root, the next element, the pending member) and
    // answers where it went.
    nlohmann::ordered_json* place(nlohmann::ordered_json&& value);
    bool open(nlohmann::ordered_json&& container);
    // The place of the pending key among the open object's members, when it is there already.
    std::optional<std::size_t> repeatedMember(OpenContainer& object);

    nlohmann::ordered_json root_;
    // The open containers are the first `depth_`.
    std::vector<OpenContainer> open_;
    std::size_t depth_ = 0;
    std::string error_;
};

} // namespace coding
