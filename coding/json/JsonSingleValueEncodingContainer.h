#pragma once

#include "coding/SingleValueEncodingContainer.h"
#include "coding/json/JsonEncodedValue.h"
#include "coding/json/JsonEncodingContext.h"

#include <memory>

namespace coding {

// Writes the one value of its encoder.
class JsonSingleValueEncodingContainer final : public SingleValueEncodingContainerBox {
public:
    JsonSingleValueEncodingContainer(std::shared_ptr<JsonEncodedValue> value, CodingPath path,
                                     std::shared_ptr<const JsonEncodingContext> context);

    const CodingPath& codingPath() const override { return path_; }
    void encodeNil() override;
    void encode(const EncodeItem& item) override;

private:
    void requireNothingEncoded() const;

    std::shared_ptr<JsonEncodedValue> value_;
    CodingPath path_;
    std::shared_ptr<const JsonEncodingContext> context_;
};

} // namespace coding
