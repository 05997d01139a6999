#pragma once

#include "coding/UnkeyedDecodingContainer.h"
#include "coding/UserInfo.h"
#include "coding/json/JsonDecodingNode.h"

#include <memory>
#include <string_view>

namespace coding {

// Reads the elements of one JSON array in turn. The position moves on only when an element was
// read, so a failed read can be retried as another type.
class JsonUnkeyedDecodingContainer final : public UnkeyedDecodingContainerBox {
public:
    JsonUnkeyedDecodingContainer(JsonValueRef array, CodingPath path, std::shared_ptr<const UserInfo> userInfo);

    const CodingPath& codingPath() const override { return path_; }
    std::optional<std::int64_t> count() const override;
    bool isAtEnd() const override;
    std::int64_t currentIndex() const override { return static_cast<std::int64_t>(index_); }
    bool decodeNil() override;
    void decode(DecodeItem& item) override;
    bool decodeIfPresent(DecodeItem& item) override;
    std::shared_ptr<KeyedDecodingContainerBox> nestedContainer(const KeySet& keys) override;
    std::shared_ptr<UnkeyedDecodingContainerBox> nestedUnkeyedContainer() override;
    std::shared_ptr<Decoder> superDecoder() override;

private:
    // The element at the position; valueNotFound when there is none left.
    JsonValueRef current(std::string_view expected, std::string_view whatFor) const;
    CodingPath currentPath() const;

    JsonValueRef array_;
    std::size_t index_ = 0;
    CodingPath path_;
    std::shared_ptr<const UserInfo> userInfo_;
};

} // namespace coding
