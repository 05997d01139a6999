#include "coding/json/JsonUnkeyedDecodingContainer.h"

#include "coding/DecodingError.h"

namespace coding {

using Json = nlohmann::ordered_json;

JsonUnkeyedDecodingContainer::JsonUnkeyedDecodingContainer(JsonValueRef array, CodingPath path,
                                                           std::shared_ptr<const UserInfo> userInfo)
    : array_(std::move(array)), path_(std::move(path)), userInfo_(std::move(userInfo)) {}

std::optional<std::int64_t> JsonUnkeyedDecodingContainer::count() const {
    return static_cast<std::int64_t>(array_->size());
}

bool JsonUnkeyedDecodingContainer::isAtEnd() const { return index_ >= array_->size(); }

CodingPath JsonUnkeyedDecodingContainer::currentPath() const {
    CodingPath path = path_;
    path.push_back(CodingKey::index(currentIndex()));
    return path;
}

JsonValueRef JsonUnkeyedDecodingContainer::current(std::string_view expected, std::string_view whatFor) const {
    if (isAtEnd())
        throw DecodingError::valueNotFound(
            expected, ErrorContext{currentPath(), std::string(whatFor) + "Unkeyed container is at end.", nullptr});
    return JsonValueRef(array_, &array_->get_ref<const Json::array_t&>()[index_]);
}

bool JsonUnkeyedDecodingContainer::decodeNil() {
    if (!current("Optional<Any>", {})->is_null())
        return false;
    ++index_;
    return true;
}

void JsonUnkeyedDecodingContainer::decode(DecodeItem& item) {
    JsonDecodingNode::decodeItem(item, current(item.typeName, {}), currentPath(), userInfo_);
    ++index_;
}

bool JsonUnkeyedDecodingContainer::decodeIfPresent(DecodeItem& item) {
    if (isAtEnd())
        return false;
    if (decodeNil())
        return false;
    decode(item);
    return true;
}

std::shared_ptr<KeyedDecodingContainerBox> JsonUnkeyedDecodingContainer::nestedContainer(const KeySet& keys) {
    auto container =
        JsonDecodingNode(current("Dictionary<String, Any>", "Cannot get nested keyed container -- "), currentPath(),
                         userInfo_)
            .openKeyedContainer(keys);
    ++index_;
    return container;
}

std::shared_ptr<UnkeyedDecodingContainerBox> JsonUnkeyedDecodingContainer::nestedUnkeyedContainer() {
    auto container =
        JsonDecodingNode(current("Array<Any>", "Cannot get nested unkeyed container -- "), currentPath(), userInfo_)
            .openUnkeyedContainer();
    ++index_;
    return container;
}

std::shared_ptr<Decoder> JsonUnkeyedDecodingContainer::superDecoder() {
    auto decoder = std::make_shared<JsonDecodingNode>(current("Decoder", "Cannot get superDecoder() -- "),
                                                      currentPath(), userInfo_);
    ++index_;
    return decoder;
}

} // namespace coding
