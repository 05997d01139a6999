#pragma once

#include "coding/DecodeItem.h"
#include "coding/Decoder.h"

#include <nlohmann/json.hpp>

#include <memory>

namespace coding {

// A value of the parsed document. It shares ownership of the whole document, so containers a
// record keeps stay valid.
using JsonValueRef = std::shared_ptr<const nlohmann::ordered_json>;

// The Decoder a value reads itself from: one value of the document, at one path.
class JsonDecodingNode final : public Decoder {
public:
    JsonDecodingNode(JsonValueRef value, CodingPath path, std::shared_ptr<const UserInfo> userInfo);

    const CodingPath& codingPath() const override { return path_; }
    const UserInfo& userInfo() const override { return *userInfo_; }

    // Fills `item` from `value`: primitives directly, anything else by running its own coding
    // with a node over `value`, inside this call.
    static void decodeItem(DecodeItem& item, const JsonValueRef& value, const CodingPath& path,
                           const std::shared_ptr<const UserInfo>& userInfo);

    // What an absent value reads as for a super decoder.
    static const JsonValueRef& null();

    // The containers over this node's value; valueNotFound for null, typeMismatch for another kind.
    std::shared_ptr<KeyedDecodingContainerBox> openKeyedContainer(const KeySet& keys) const;
    std::shared_ptr<UnkeyedDecodingContainerBox> openUnkeyedContainer() const;

protected:
    std::shared_ptr<KeyedDecodingContainerBox> makeKeyedContainer(const KeySet& keys) override;
    std::shared_ptr<UnkeyedDecodingContainerBox> makeUnkeyedContainer() override;
    std::shared_ptr<SingleValueDecodingContainerBox> makeSingleValueContainer() override;

private:
    JsonValueRef value_;
    CodingPath path_;
    std::shared_ptr<const UserInfo> userInfo_;
};

} // namespace coding
