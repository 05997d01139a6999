#include "coding/json/JsonEncoder.h"

#include "coding/EncodingError.h"
#include "coding/json/JsonEncodedValue.h"
#include "coding/json/JsonEncodingNode.h"

#include <nlohmann/json.hpp>

namespace coding {

Data JsonEncoder::encodeItem(const EncodeItem& item) const {
    auto root = std::make_shared<JsonEncodedValue>();
    JsonEncodingNode::encodeItem(item, root, {}, std::make_shared<const UserInfo>(userInfo));
    if (root->kind() == JsonEncodedValue::Kind::unset)
        throw EncodingError::invalidValue(
            std::string(item.typeName),
            ErrorContext{{}, "Top-level " + std::string(item.typeName) + " did not encode any values.", nullptr});

    // Every string was checked for UTF-8 on the way in, so the writer has nothing to refuse.
    const std::string text = root->takeJson().dump();
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    return Data(std::vector<std::uint8_t>(bytes, bytes + text.size()));
}

} // namespace coding
