#include "coding/json/JsonEncodedValue.h"

namespace coding {

void JsonEncodedValue::setScalar(nlohmann::ordered_json value) {
    kind_ = Kind::scalar;
    scalar_ = std::move(value);
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

nlohmann::ordered_json JsonEncodedValue::takeJson() {
    switch (kind_) {
    case Kind::unset:
        return nlohmann::ordered_json::object();
    case Kind::scalar:
        return std::move(scalar_);
    case Kind::array: {
        auto json = nlohmann::ordered_json::array();
        auto& array = json.get_ref<nlohmann::ordered_json::array_t&>();
        array.reserve(elements_.size());
        for (auto& element : elements_)
            array.push_back(element->takeJson());
        return json;
    }
    case Kind::object: {
        auto json = nlohmann::ordered_json::object();
        auto& object = json.get_ref<nlohmann::ordered_json::object_t&>();
        object.reserve(members_.size());
        // Keys are unique already: append without the ordered map's linear search per key.
        for (auto& [key, value] : members_)
            object.Container::emplace_back(std::move(key), value->takeJson());
        return json;
    }
    }
    return nullptr;
}

} // namespace coding
