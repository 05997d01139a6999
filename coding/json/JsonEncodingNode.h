#pragma once

#include "coding/Encoder.h"
#include "coding/EncodeItem.h"
#include "coding/json/JsonEncodedValue.h"
#include "coding/json/JsonEncodingContext.h"

#include <memory>

namespace coding {

// The Encoder a value writes itself into: one JSON value of the tree, at one path.
class JsonEncodingNode final : public Encoder {
public:
    JsonEncodingNode(std::shared_ptr<JsonEncodedValue> value, CodingPath path, std::shared_ptr<const JsonEncodingContext> context);

    const CodingPath& codingPath() const override { return path_; }
    const UserInfo& userInfo() const override { return context_->userInfo; }

    // Writes `item` into `value`, which nothing has been written to: nil and primitives directly,
    // anything else by running its own coding with a node over `value`, inside this call.
    static void encodeItem(const EncodeItem& item, const std::shared_ptr<JsonEncodedValue>& value,
                           const CodingPath& path, const std::shared_ptr<const JsonEncodingContext>& context);

protected:
    std::shared_ptr<KeyedEncodingContainerBox> makeKeyedContainer(const KeySet& keys) override;
    std::shared_ptr<UnkeyedEncodingContainerBox> makeUnkeyedContainer() override;
    std::shared_ptr<SingleValueEncodingContainerBox> makeSingleValueContainer() override;

private:
    std::shared_ptr<JsonEncodedValue> value_;
    CodingPath path_;
    std::shared_ptr<const JsonEncodingContext> context_;
};

} // namespace coding
