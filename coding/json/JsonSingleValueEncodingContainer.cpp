#include "coding/json/JsonSingleValueEncodingContainer.h"

#include "coding/Fatal.h"
#include "coding/json/JsonEncodingNode.h"

namespace coding {

JsonSingleValueEncodingContainer::JsonSingleValueEncodingContainer(std::shared_ptr<JsonEncodedValue> value,
                                                                   CodingPath path,
                                                                   std::shared_ptr<const JsonEncodingContext> context)
    : value_(std::move(value)), path_(std::move(path)), context_(std::move(context)) {}

void JsonSingleValueEncodingContainer::requireNothingEncoded() const {
    if (value_->kind() != JsonEncodedValue::Kind::unset)
        fatal("Attempt to encode value through single value container when previously value already encoded.");
}

void JsonSingleValueEncodingContainer::encodeNil() {
    requireNothingEncoded();
    value_->setScalar(nullptr);
}

void JsonSingleValueEncodingContainer::encode(const EncodeItem& item) {
    requireNothingEncoded();
    JsonEncodingNode::encodeItem(item, value_, path_, context_);
    // A value that wrote nothing still took the place (it reads back as an empty object), so a
    // second value is refused all the same.
    if (value_->kind() == JsonEncodedValue::Kind::unset)
        value_->becomeObject();
}

} // namespace coding
