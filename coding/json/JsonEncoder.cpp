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

    // Written straight from the tree: a document built first would copy every value once more.
    std::string text;
    root->write(text);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    return Data(std::vector<std::uint8_t>(bytes, bytes + text.size()));
}

} // namespace coding
