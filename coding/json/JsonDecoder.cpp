#include "coding/json/JsonDecoder.h"

#include "coding/json/JsonDecodingNode.h"
#include "coding/json/JsonDocumentBuilder.h"

namespace coding {

void JsonDecoder::decodeItem(DecodeItem& item, std::string_view json) const {
    auto document = std::make_shared<const nlohmann::ordered_json>(JsonDocumentBuilder::parse(json));
    JsonDecodingNode::decodeItem(item, document, {}, std::make_shared<const UserInfo>(userInfo));
}

} // namespace coding
