#include "coding/json/JsonDecodingNode.h"

#include "coding/DecodingError.h"
#include "coding/json/JsonKeyedDecodingContainer.h"
#include "coding/json/JsonPrimitiveCodec.h"
#include "coding/json/JsonSingleValueDecodingContainer.h"
#include "coding/json/JsonUnkeyedDecodingContainer.h"
#include "coding/json/RunAtPath.h"

namespace coding {

JsonDecodingNode::JsonDecodingNode(JsonValueRef value, CodingPath path, std::shared_ptr<const UserInfo> userInfo)
    : value_(std::move(value)), path_(std::move(path)), userInfo_(std::move(userInfo)) {}

void JsonDecodingNode::decodeItem(DecodeItem& item, const JsonValueRef& value, const CodingPath& path,
                                  const std::shared_ptr<const UserInfo>& userInfo) {
    if (item.category == ValueCategory::primitive) {
        item.assign(JsonPrimitiveCodec::decode(*value, item.primitiveKind, item.typeName, path));
        return;
    }
    // Optionals too: theirs asks for a single-value container and reads null as nothing.
    JsonDecodingNode nested(value, path, userInfo);
    runAtPath(path, [&] { item.decode(nested); });
}

const JsonValueRef& JsonDecodingNode::null() {
    static const JsonValueRef value = std::make_shared<const nlohmann::ordered_json>(nullptr);
    return value;
}

namespace {

void requireContainer(const nlohmann::ordered_json& value, bool isRightKind, std::string_view expected,
                      std::string_view kind, const CodingPath& path) {
    if (value.is_null())
        throw DecodingError::valueNotFound(
            expected, ErrorContext{path, "Cannot get " + std::string(kind) + " decoding container -- found null value instead",
                                   nullptr});
    if (!isRightKind)
        throw DecodingError::typeMismatch(expected, ErrorContext{path,
                                                                 "Expected to decode " + std::string(expected) +
                                                                     " but found " + describeJsonKind(value) +
                                                                     " instead.",
                                                                 nullptr});
}

} // namespace

std::shared_ptr<KeyedDecodingContainerBox> JsonDecodingNode::openKeyedContainer(const KeySet& keys) const {
    requireContainer(*value_, value_->is_object(), "Dictionary<String, Any>", "keyed", path_);
    return std::make_shared<JsonKeyedDecodingContainer>(value_, keys, path_, userInfo_);
}

std::shared_ptr<UnkeyedDecodingContainerBox> JsonDecodingNode::openUnkeyedContainer() const {
    requireContainer(*value_, value_->is_array(), "Array<Any>", "unkeyed", path_);
    return std::make_shared<JsonUnkeyedDecodingContainer>(value_, path_, userInfo_);
}

std::shared_ptr<KeyedDecodingContainerBox> JsonDecodingNode::makeKeyedContainer(const KeySet& keys) {
    return openKeyedContainer(keys);
}

std::shared_ptr<UnkeyedDecodingContainerBox> JsonDecodingNode::makeUnkeyedContainer() {
    return openUnkeyedContainer();
}

std::shared_ptr<SingleValueDecodingContainerBox> JsonDecodingNode::makeSingleValueContainer() {
    return std::make_shared<JsonSingleValueDecodingContainer>(value_, path_, userInfo_);
}

} // namespace coding
