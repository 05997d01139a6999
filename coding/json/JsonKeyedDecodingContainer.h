#pragma once

#include "coding/KeyIndex.h"
#include "coding/KeyedDecodingContainer.h"
#include "coding/UserInfo.h"
#include "coding/json/JsonDecodingNode.h"

#include <memory>
#include <string_view>

namespace coding {

// Reads members of one JSON object. Members no key asks for are ignored.
class JsonKeyedDecodingContainer final : public KeyedDecodingContainerBox {
public:
    JsonKeyedDecodingContainer(JsonValueRef object, KeySet keys, CodingPath path,
                               std::shared_ptr<const UserInfo> userInfo);

    const CodingPath& codingPath() const override { return path_; }
    std::vector<CodingKey> allKeys() const override;
    bool contains(const CodingKey& key) const override;
    bool decodeNil(const CodingKey& key) override;
    void decode(DecodeItem& item, const CodingKey& key) override;
    bool decodeIfPresent(DecodeItem& item, const CodingKey& key) override;
    std::shared_ptr<KeyedDecodingContainerBox> nestedContainer(const KeySet& keys, const CodingKey& key) override;
    std::shared_ptr<UnkeyedDecodingContainerBox> nestedUnkeyedContainer(const CodingKey& key) override;
    std::shared_ptr<Decoder> superDecoder() override;
    std::shared_ptr<Decoder> superDecoder(const CodingKey& key) override;

private:
    // The member at `key`, or null when the object has none.
    JsonValueRef find(const CodingKey& key) const;
    // The member at `key`; keyNotFound when the object has none.
    JsonValueRef require(const CodingKey& key, std::string_view whatFor) const;
    CodingPath pathTo(const CodingKey& key) const;
    void decodeMember(DecodeItem& item, const JsonValueRef& member, const CodingKey& key);
    JsonDecodingNode nodeAt(const CodingKey& key, std::string_view whatFor) const;

    JsonValueRef object_;
    KeySet keys_; // a copy (of a shared table): the handle may outlive a key set made for the call
    CodingPath path_;
    std::shared_ptr<const UserInfo> userInfo_;
    // Dictionaries are read key by key: past a few members, a scan would cost quadratic time.
    KeyIndex<> index_;
};

} // namespace coding
