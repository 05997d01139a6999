#pragma once

#include "coding/KeyedEncodingContainer.h"
#include "coding/json/JsonEncodedValue.h"
#include "coding/json/JsonEncodingContext.h"

#include <memory>

namespace coding {

// Writes members into one JSON object, in the order they are first written.
class JsonKeyedEncodingContainer final : public KeyedEncodingContainerBox {
public:
    JsonKeyedEncodingContainer(std::shared_ptr<JsonEncodedValue> object, CodingPath path,
                               std::shared_ptr<const JsonEncodingContext> context);

    const CodingPath& codingPath() const override { return path_; }
    void encodeNil(const CodingKey& key) override;
    void encode(const EncodeItem& item, const CodingKey& key) override;
    std::shared_ptr<KeyedEncodingContainerBox> nestedContainer(const KeySet& keys, const CodingKey& key) override;
    std::shared_ptr<UnkeyedEncodingContainerBox> nestedUnkeyedContainer(const CodingKey& key) override;
    std::shared_ptr<Encoder> superEncoder() override;
    std::shared_ptr<Encoder> superEncoder(const CodingKey& key) override;

private:
    CodingPath pathTo(const CodingKey& key) const;
    // A fresh value at `key`, replacing whatever was written there before.
    std::shared_ptr<JsonEncodedValue> replaceMember(const CodingKey& key);
    // The value at `key` to keep writing into as `kind`: the one already there when it is of that
    // kind, otherwise a fresh one.
    std::shared_ptr<JsonEncodedValue> memberToExtend(const CodingKey& key, JsonEncodedValue::Kind kind);

    std::shared_ptr<JsonEncodedValue> object_;
    CodingPath path_;
    std::shared_ptr<const JsonEncodingContext> context_;
};

} // namespace coding
