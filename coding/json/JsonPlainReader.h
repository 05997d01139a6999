#pragma once

#include <nlohmann/json.hpp>

#include <optional>
#include <string_view>

namespace coding {

// Reads the JSON text that stored values are, straight into the document that
// JsonDocumentBuilder would build of it, at many times the pace of the general parser: whole
// numbers of up to 18 digits, texts without \u escapes, objects of up to `membersSearched`
// members, nesting up to the builder's limit. Whatever else it meets, JSON or not, it leaves to
// the builder (none), which reads every JSON text and reports what is wrong with the rest: no
// text is taken here that the builder would refuse, and none is read otherwise.
class JsonPlainReader {
public:
    static constexpr std::size_t membersSearched = 32;

    static std::optional<nlohmann::ordered_json> read(std::string_view text);

    // Whether two documents hold the same values of the same kinds, members in the same order
    // (nlohmann's == takes 1 and 1u for equal): what this reader and the builder must agree on.
    static bool sameDocument(const nlohmann::ordered_json& a, const nlohmann::ordered_json& b);
};

} // namespace coding
