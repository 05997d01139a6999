#include "coding/json/JsonDocumentBuilder.h"

#include "coding/DecodingError.h"
#include "coding/Utf8.h"
#include "coding/json/JsonPlainReader.h"

#include <cstdio>

namespace coding {

using Json = nlohmann::ordered_json;

namespace {

// The parser quotes the bytes it stopped at; they may be the very bytes that are not UTF-8.
std::string printable(const std::string& text) {
    if (isValidUtf8(text))
        return text;
    std::string result;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            result += c;
            continue;
        }
        char escaped[5];
        std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
        result += escaped;
    }
    return result;
}

} // namespace

Json JsonDocumentBuilder::parse(std::string_view text) {
    // Most texts are read at once; the rest, and every error, are the general parser's.
    if (std::optional<Json> plain = JsonPlainReader::read(text))
        return std::move(*plain);
    return parseGenerally(text);
}

Json JsonDocumentBuilder::parseGenerally(std::string_view text) {
    // The parser ends the text at a NUL byte and would take what stands before it; no JSON
    // text holds one (in a string it must be escaped), so such bytes are not JSON.
    if (const auto nul = text.find('\0'); nul != std::string_view::npos)
        throw DecodingError::dataCorrupted(CodingPath{}, "The given data was not valid JSON. NUL byte at position " +
                                                             std::to_string(nul));
    JsonDocumentBuilder builder;
    if (!Json::sax_parse(text.data(), text.data() + text.size(), &builder))
        throw DecodingError::dataCorrupted(CodingPath{}, "The given data was not valid JSON. " + builder.error_);
    return std::move(builder.root_);
}

Json* JsonDocumentBuilder::place(Json&& value) {
    if (depth_ == 0) {
        root_ = std::move(value);
        return &root_;
    }
    OpenContainer& parent = open_[depth_ - 1];
    if (parent.value->is_array()) {
        auto& array = parent.value->get_ref<Json::array_t&>();
        array.push_back(std::move(value));
        return &array.back();
    }
    if (const std::optional<std::size_t> repeated = repeatedMember(parent)) {
        parent.members[*repeated].second = std::move(value);
        return &parent.members[*repeated].second;
    }
    if (!parent.memberIndex.empty()) {
        parent.memberIndex.emplace(parent.pendingKey, parent.members.size());
    }
    parent.members.emplace_back(std::move(parent.pendingKey), std::move(value));
    return &parent.members.back().second;
}

std::optional<std::size_t> JsonDocumentBuilder::repeatedMember(OpenContainer& object) {
    std::vector<Member>& members = object.members;
    if (object.memberIndex.empty() && members.size() < membersSearched) {
        for (std::size_t i = 0; i < members.size(); ++i) {
            if (members[i].first == object.pendingKey)
                return i;
        }
        return std::nullopt;
    }
    if (object.memberIndex.empty()) {
        for (std::size_t i = 0; i < members.size(); ++i)
            object.memberIndex.emplace(members[i].first, i);
    }
    const auto found = object.memberIndex.find(object.pendingKey);
    return found == object.memberIndex.end() ? std::nullopt : std::optional<std::size_t>(found->second);
}

bool JsonDocumentBuilder::open(Json&& container) {
    if (depth_ >= maximumDepth) {
        error_ = "Too many nested arrays or dictionaries (more than " + std::to_string(maximumDepth) + ").";
        return false;
    }
    // The value is placed before it is opened: its parent does not grow again until it is closed,
    // so the pointer stays good while it is open.
    Json* placed = place(std::move(container));
    if (open_.size() == depth_)
        open_.emplace_back();
    OpenContainer& opened = open_[depth_++];
    opened.value = placed;
    opened.members.clear();
    opened.memberIndex.clear();
    return true;
}

bool JsonDocumentBuilder::null() {
    place(nullptr);
    return true;
}

bool JsonDocumentBuilder::boolean(bool value) {
    place(value);
    return true;
}

bool JsonDocumentBuilder::number_integer(number_integer_t value) {
    place(value);
    return true;
}

bool JsonDocumentBuilder::number_unsigned(number_unsigned_t value) {
    place(value);
    return true;
}

bool JsonDocumentBuilder::number_float(number_float_t value, const string_t&) {
    place(value);
    return true;
}

bool JsonDocumentBuilder::string(string_t& value) {
    place(std::move(value));
    return true;
}

bool JsonDocumentBuilder::binary(binary_t& value) {
    place(Json::binary(value));
    return true;
}

bool JsonDocumentBuilder::start_object(std::size_t) { return open(Json::object()); }

bool JsonDocumentBuilder::key(string_t& value) {
    // The parser reads the next token into a buffer it clears first: the key can be taken.
    open_[depth_ - 1].pendingKey = std::move(value);
    return true;
}

bool JsonDocumentBuilder::end_object() {
    OpenContainer& closed = open_[--depth_];
    auto& members = static_cast<Json::object_t::Container&>(closed.value->get_ref<Json::object_t&>());
    members.reserve(closed.members.size());
    for (Member& member : closed.members)
        members.emplace_back(std::move(member.first), std::move(member.second));
    closed.members.clear();
    return true;
}

bool JsonDocumentBuilder::start_array(std::size_t) { return open(Json::array()); }

bool JsonDocumentBuilder::end_array() {
    --depth_;
    return true;
}

bool JsonDocumentBuilder::parse_error(std::size_t, const std::string&, const nlohmann::detail::exception& error) {
    // "[json.exception.parse_error.101] parse error at line 1, column 2: ..." without the tag.
    std::string message = error.what();
    if (const auto tagEnd = message.find("] "); !message.empty() && message.front() == '[' && tagEnd != std::string::npos)
        message.erase(0, tagEnd + 2);
    if (!message.empty() && message.front() >= 'a' && message.front() <= 'z')
        message.front() = static_cast<char>(message.front() - 'a' + 'A');
    error_ = printable(message);
    return false;
}

} // namespace coding
