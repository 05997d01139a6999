#include "coding/json/JsonSingleValueDecodingContainer.h"

namespace coding {

JsonSingleValueDecodingContainer::JsonSingleValueDecodingContainer(JsonValueRef value, CodingPath path,
                                                                   std::shared_ptr<const UserInfo> userInfo)
    : value_(std::move(value)), path_(std::move(path)), userInfo_(std::move(userInfo)) {}

void JsonSingleValueDecodingContainer::decode(DecodeItem& item) {
    JsonDecodingNode::decodeItem(item, value_, path_, userInfo_);
}

} // namespace coding
