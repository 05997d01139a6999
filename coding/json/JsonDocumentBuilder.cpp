#include "coding/json/JsonDocumentBuilder.h"

#include "coding/DecodingError.h"
#include "coding/Utf8.h"

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
    if (open_.empty()) {
        root_ = std::move(value);
        return &root_;
    }
    OpenContainer& parent = open_.back();
    if (parent.value->is_array()) {
        auto& array = parent.value->get_ref<Json::array_t&>();
        array.push_back(std::move(value));
        return &array.back();
    }
    // The members as the vector they are, so nothing searches them key by key.
    auto& members = static_cast<Json::object_t::Container&>(parent.value->get_ref<Json::object_t&>());
    auto [found, isNew] = parent.memberIndex.try_emplace(parent.pendingKey, members.size());
    if (!isNew) {
        members[found->second].second = std::move(value);
        return &members[found->second].second;
    }
    members.emplace_back(parent.pendingKey, std::move(value));
    return &members.back().second;
}

bool JsonDocumentBuilder::open(Json&& container) {
    if (open_.size() >= maximumDepth) {
        error_ = "Too many nested arrays or dictionaries (more than " + std::to_string(maximumDepth) + ").";
        return false;
    }
    // The value is placed before it is pushed: its parent does not grow again until it is closed,
    // so the pointer stays good while it is open.
    open_.push_back(OpenContainer{place(std::move(container)), {}, {}});
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
    place(value);
    return true;
}

bool JsonDocumentBuilder::binary(binary_t& value) {
    place(Json::binary(value));
    return true;
}

bool JsonDocumentBuilder::start_object(std::size_t) { return open(Json::object()); }

bool JsonDocumentBuilder::key(string_t& value) {
    open_.back().pendingKey = value;
    return true;
}

bool JsonDocumentBuilder::end_object() {
    open_.pop_back();
    return true;
}

bool JsonDocumentBuilder::start_array(std::size_t) { return open(Json::array()); }

bool JsonDocumentBuilder::end_array() {
    open_.pop_back();
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
