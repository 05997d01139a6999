#pragma once

#include "coding/SingleValueDecodingContainer.h"
#include "coding/UserInfo.h"
#include "coding/json/JsonDecodingNode.h"

#include <memory>

namespace coding {

// Reads the one value of its decoder.
class JsonSingleValueDecodingContainer final : public SingleValueDecodingContainerBox {
public:
    JsonSingleValueDecodingContainer(JsonValueRef value, CodingPath path, std::shared_ptr<const UserInfo> userInfo);

    const CodingPath& codingPath() const override { return path_; }
    bool decodeNil() override { return value_->is_null(); }
    void decode(DecodeItem& item) override;

private:
    JsonValueRef value_;
    CodingPath path_;
    std::shared_ptr<const UserInfo> userInfo_;
};

} // namespace coding
