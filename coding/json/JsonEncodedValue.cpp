#include "coding/json/JsonEncodedValue.h"

#include <charconv>

namespace coding {

void JsonEncodedValue::setScalar(nlohmann::ordered_json value) {
    kind_ = Kind::scalar;
    scalar_ = std::move(value);
}

void JsonEncodedValue::setText(std::string_view json) {
    kind_ = Kind::text;
    text_ = json;
}

void JsonEncodedValue::becomeArray() { kind_ = Kind::array; }

void JsonEncodedValue::becomeObject() { kind_ = Kind::object; }

std::shared_ptr<JsonEncodedValue> JsonEncodedValue::appendElement() {
    auto element = std::make_shared<JsonEncodedValue>();
    elements_.push_back(element);
    return element;
}

std::size_t JsonEncodedValue::findMember(std::string_view key) const {
    return memberIndex_.find(keyHash(key), members_.size(), [&](std::size_t i) { return members_[i].first == key; });
}

std::shared_ptr<JsonEncodedValue> JsonEncodedValue::member(std::string_view key) const {
    const std::size_t position = findMember(key);
    return position < members_.size() ? members_[position].second : nullptr;
}

std::shared_ptr<JsonEncodedValue> JsonEncodedValue::replaceMember(std::string_view key) {
    auto value = std::make_shared<JsonEncodedValue>();
    if (const std::size_t position = findMember(key); position < members_.size()) {
        members_[position].second = value;
        return value;
    }
    members_.emplace_back(std::string(key), value);
    memberIndex_.add(keyHash(key), members_.size(), [this](std::size_t i) { return keyHash(members_[i].first); });
    return value;
}

namespace {

// A text as the document writer writes it. Texts without a character it escapes (quote,
// backslash, control characters) go out as they are; the writer itself does the rest, so that
// the bytes are always its own.
void writeText(std::string_view text, std::string& out) {
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == '"' || byte == '\\' || byte == 0x7F) {
            out += nlohmann::ordered_json(std::string(text)).dump();
            return;
        }
    }
    out += '"';
    out += text;
    out += '"';
}

template <class Integer>
void writeDigits(Integer value, std::string& out) {
    char digits[24];
    out.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

void writeScalar(const nlohmann::ordered_json& value, std::string& out) {
    switch (value.type()) {
    case nlohmann::ordered_json::value_t::string:
        writeText(value.get_ref<const std::string&>(), out);
        return;
    case nlohmann::ordered_json::value_t::boolean:
        out += value.get<bool>() ? "true" : "false";
        return;
    case nlohmann::ordered_json::value_t::number_integer:
        writeDigits(value.get<std::int64_t>(), out);
        return;
    case nlohmann::ordered_json::value_t::number_unsigned:
        writeDigits(value.get<std::uint64_t>(), out);
        return;
    default:
        out += value.dump();
        return;
    }
}

} // namespace

void JsonEncodedValue::write(std::string& out) const {
    switch (kind_) {
    case Kind::unset:
        out += "{}";
        return;
    case Kind::scalar:
        writeScalar(scalar_, out);
        return;
    case Kind::text:
        out += text_;
        return;
    case Kind::array:
        out += '[';
        for (std::size_t i = 0; i < elements_.size(); ++i) {
            if (i > 0)
                out += ',';
            elements_[i]->write(out);
        }
        out += ']';
        return;
    case Kind::object:
        out += '{';
        for (std::size_t i = 0; i < members_.size(); ++i) {
            if (i > 0)
                out += ',';
            writeText(members_[i].first, out);
            out += ':';
            members_[i].second->write(out);
        }
        out += '}';
        return;
    }
}

} // namespace coding
