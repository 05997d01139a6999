#include "coding/json/JsonEncoder.h"

#include "coding/EncodingError.h"
#include "coding/json/JsonArrayText.h"
#include "coding/json/JsonEncodedValue.h"
#include "coding/json/JsonEncodingContext.h"
#include "coding/json/JsonEncodingNode.h"
#include "coding/json/JsonKeptElements.h"

#include <nlohmann/json.hpp>

namespace coding {

Data JsonEncoder::encodeItem(const EncodeItem& item, const JsonKeptElements* kept) const {
    auto root = std::make_shared<JsonEncodedValue>();
    auto context = std::make_shared<const JsonEncodingContext>(JsonEncodingContext{userInfo, kept});
    JsonEncodingNode::encodeItem(item, root, {}, context);
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

Data JsonEncoder::encodeKeeping(const EncodeItem& value, const CodingKey& key, const EncodeItem& earlier,
                                std::string_view earlierJson, const std::function<bool(std::size_t)>& unchanged) const {
    const std::optional<std::vector<std::string_view>> written = elementsAsWritten(earlier, key, earlierJson);
    if (!written)
        return encodeItem(value, nullptr);
    const JsonKeptElements keeping{key.stringValue, [&](std::size_t index) -> std::optional<std::string_view> {
                                       if (index < written->size() && unchanged(index))
                                           return (*written)[index];
                                       return std::nullopt;
                                   }};
    return encodeItem(value, &keeping);
}

// The texts of the elements of earlier's list in `earlierJson`; none unless earlierJson is what
// this encoder writes of `earlier` around the list, and the list holds as many elements.
std::optional<std::vector<std::string_view>> JsonEncoder::elementsAsWritten(const EncodeItem& earlier,
                                                                             const CodingKey& key,
                                                                             std::string_view earlierJson) const {
    // Each element is written as a NUL byte, which nothing else this encoder writes holds (a
    // text's control characters are escaped): what stands before the first and after the last is
    // earlier's JSON around the elements.
    static constexpr std::string_view marker("\0", 1);
    std::size_t count = 0;
    const JsonKeptElements marking{key.stringValue, [&](std::size_t) -> std::optional<std::string_view> {
                                       ++count;
                                       return marker;
                                   }};
    const Data marked = encodeItem(earlier, &marking);
    if (count == 0)
        return std::nullopt;
    const std::string_view text = marked.view();
    // Up to and with the bracket that opens the list, and from the one that closes it.
    const std::string_view before = text.substr(0, text.find(marker));
    const std::string_view after = text.substr(text.rfind(marker) + 1);
    if (!before.ends_with('[') || !after.starts_with(']') || earlierJson.size() < before.size() + after.size() ||
        !earlierJson.starts_with(before) || !earlierJson.ends_with(after))
        return std::nullopt;
    const std::string_view list =
        earlierJson.substr(before.size() - 1, earlierJson.size() - before.size() - after.size() + 2);
    std::optional<std::vector<std::string_view>> elements = JsonArrayText::elements(list);
    if (!elements || elements->size() != count)
        return std::nullopt;
    return elements;
}

} // namespace coding
