#pragma once

#include "coding/UnkeyedEncodingContainer.h"
#include "coding/json/JsonEncodedValue.h"
#include "coding/json/JsonEncodingContext.h"

#include <memory>

namespace coding {

// Appends elements to one JSON array.
class JsonUnkeyedEncodingContainer final : public UnkeyedEncodingContainerBox {
public:
    JsonUnkeyedEncodingContainer(std::shared_ptr<JsonEncodedValue> array, CodingPath path,
                                 std::shared_ptr<const JsonEncodingContext> context);

    const CodingPath& codingPath() const override { return path_; }
    std::int64_t count() const override;
    void encodeNil() override;
    void encode(const EncodeItem& item) override;
    std::shared_ptr<KeyedEncodingContainerBox> nestedContainer(const KeySet& keys) override;
    std::shared_ptr<UnkeyedEncodingContainerBox> nestedUnkeyedContainer() override;
    std::shared_ptr<Encoder> superEncoder() override;

private:
    // The path of the element about to be appended.
    CodingPath nextPath() const;

    std::shared_ptr<JsonEncodedValue> array_;
    CodingPath path_;
    std::shared_ptr<const JsonEncodingContext> context_;
    // Set when this is the list whose elements may be written as texts given.
    const JsonKeptElements* kept_;
};

} // namespace coding
