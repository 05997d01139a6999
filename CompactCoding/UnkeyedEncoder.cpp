#include "CompactCoding/UnkeyedEncoder.h"

#include "CompactCoding/AppendEncodingContainer.h"
#include "CompactCoding/EncodeValue.h"
#include "CompactCoding/EncodingNode.h"
#include "CompactCoding/JoinedData.h"
#include "CompactCoding/KeyedEncoder.h"
#include "CompactCoding/UserInfoFlag.h"
#include "CompactCoding/VariableLengthInteger.h"

namespace coding {

UnkeyedEncoder::UnkeyedEncoder(std::shared_ptr<const CodingPath> codingPath, std::shared_ptr<const UserInfo> userInfo,
                               bool containsOptional, EncodingArena& arena)
    : AbstractEncodingNode(std::move(codingPath), std::move(userInfo), containsOptional, arena),
      prependNilIndices_(userInfoFlag(UserInfoOption::nilIndices, this->userInfo())),
      content_(arena),
      nilIndices_(ArenaAllocator<std::int64_t>(arena)) {}

void UnkeyedEncoder::encodeNil() {
    cachedSize_ = unknownSize;
    nilIndices_.push_back(count());
}

void UnkeyedEncoder::encode(const EncodeItem& item) {
    cachedSize_ = unknownSize;
    if (item.category != ValueCategory::primitive) {
        content_.appendContainer(encodeNestedValue(item, *this));
        return;
    }
    PrimitiveScratch scratch;
    const auto bytes = encodePrimitive(item, *this, scratch);
    content_.appendPrimitive(dataTypeOf(kindOf(item.primitive)), bytes);
}

std::shared_ptr<KeyedEncodingContainerBox> UnkeyedEncoder::nestedContainer(const KeySet& keys) {
    cachedSize_ = unknownSize;
    return appendEncodingContainer(
        [&] { return makeNode<KeyedEncoder>(sharedCodingPath(), sharedUserInfo(), false, keys); }, content_);
}

std::shared_ptr<UnkeyedEncodingContainerBox> UnkeyedEncoder::nestedUnkeyedContainer() {
    cachedSize_ = unknownSize;
    return appendEncodingContainer(
        [&] { return makeNode<UnkeyedEncoder>(sharedCodingPath(), sharedUserInfo(), false); }, content_);
}

std::shared_ptr<Encoder> UnkeyedEncoder::superEncoder() {
    cachedSize_ = unknownSize;
    return appendEncodingContainer(
        [&] { return makeNode<EncodingNode>(sharedCodingPath(), sharedUserInfo(), false); }, content_);
}

std::size_t UnkeyedEncoder::dataSize() const {
    if (cachedSize_ != unknownSize)
        return cachedSize_;
    std::size_t size = joinedDataSize(content_);
    if (prependNilIndices_) {
        size += variableLengthSize(nilIndices_.size());
        for (const std::int64_t index : nilIndices_)
            size += variableLengthSize(static_cast<std::uint64_t>(index));
    }
    cachedSize_ = size;
    return size;
}

void UnkeyedEncoder::appendData(std::vector<std::uint8_t>& out) const {
    if (prependNilIndices_) {
        appendVariableLength(nilIndices_.size(), out);
        for (const std::int64_t index : nilIndices_)
            appendVariableLength(static_cast<std::uint64_t>(index), out);
    }
    appendJoinedData(content_, out);
}

} // namespace coding
