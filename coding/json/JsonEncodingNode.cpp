#include "coding/json/JsonEncodingNode.h"

#include "coding/Fatal.h"
#include "coding/json/JsonKeyedEncodingContainer.h"
#include "coding/json/JsonPrimitiveCodec.h"
#include "coding/json/JsonSingleValueEncodingContainer.h"
#include "coding/json/JsonUnkeyedEncodingContainer.h"
#include "coding/json/RunAtPath.h"

namespace coding {

JsonEncodingNode::JsonEncodingNode(std::shared_ptr<JsonEncodedValue> value, CodingPath path,
                                   std::shared_ptr<const JsonEncodingContext> context)
    : value_(std::move(value)), path_(std::move(path)), context_(std::move(context)) {}

void JsonEncodingNode::encodeItem(const EncodeItem& item, const std::shared_ptr<JsonEncodedValue>& value,
                                  const CodingPath& path, const std::shared_ptr<const JsonEncodingContext>& context) {
    if (item.category == ValueCategory::optional && item.isNil) {
        value->setScalar(nullptr);
        return;
    }
    if (item.category == ValueCategory::primitive) {
        value->setScalar(JsonPrimitiveCodec::encode(item.primitive, item.typeName, path));
        return;
    }
    JsonEncodingNode nested(value, path, context);
    runAtPath(path, [&] { item.encode(nested); });
}

// Asking again for the container already made here hands out the same one, as Swift's JSON
// encoder does; asking for another kind is a fault in the calling code.
std::shared_ptr<KeyedEncodingContainerBox> JsonEncodingNode::makeKeyedContainer(const KeySet&) {
    if (value_->kind() == JsonEncodedValue::Kind::unset)
        value_->becomeObject();
    else if (value_->kind() != JsonEncodedValue::Kind::object)
        fatal("Attempt to push new keyed encoding container when already previously encoded at this path.");
    return std::make_shared<JsonKeyedEncodingContainer>(value_, path_, context_);
}

std::shared_ptr<UnkeyedEncodingContainerBox> JsonEncodingNode::makeUnkeyedContainer() {
    if (value_->kind() == JsonEncodedValue::Kind::unset)
        value_->becomeArray();
    else if (value_->kind() != JsonEncodedValue::Kind::array)
        fatal("Attempt to push new unkeyed encoding container when already previously encoded at this path.");
    return std::make_shared<JsonUnkeyedEncodingContainer>(value_, path_, context_);
}

std::shared_ptr<SingleValueEncodingContainerBox> JsonEncodingNode::makeSingleValueContainer() {
    return std::make_shared<JsonSingleValueEncodingContainer>(value_, path_, context_);
}

} // namespace coding
