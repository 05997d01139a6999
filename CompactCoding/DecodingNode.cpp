#include "CompactCoding/DecodingNode.h"

#include "CompactCoding/DataDecoder.h"
#include "CompactCoding/KeyedDecoder.h"
#include "CompactCoding/UnkeyedDecoder.h"
#include "CompactCoding/ValueDecoder.h"

#include <vector>

namespace coding {

Storage DecodingNode::containerBytes() {
    if (storage_.isData())
        return storage_;
    const auto& source = storage_.source();
    const auto bytes = source->getDataOfType(DataType::variableLength, codingPath());
    if (DataDecoder* memory = source->asDataDecoder())
        return Storage::data(bytes, memory->keepAlive());
    if (source->bytesStayValid())
        return Storage::data(bytes, source);
    // A source that fetches on demand reuses its buffer on the next read; the container keeps
    // its own copy, which holds no more than the source actually delivered.
    auto copy = std::make_shared<const std::vector<std::uint8_t>>(bytes.begin(), bytes.end());
    const std::span<const std::uint8_t> view(*copy);
    return Storage::data(view, std::move(copy));
}

std::shared_ptr<KeyedDecodingContainerBox> DecodingNode::makeKeyedContainer(const KeySet& keys) {
    const Storage bytes = containerBytes();
    return KeyedDecoder::make(bytes.bytes(), bytes.keepAlive(), keys, sharedCodingPath(),
                                          sharedUserInfo(), depth());
}

std::shared_ptr<UnkeyedDecodingContainerBox> DecodingNode::makeUnkeyedContainer() {
    const Storage bytes = containerBytes();
    return std::make_shared<UnkeyedDecoder>(bytes.bytes(), bytes.keepAlive(), sharedCodingPath(), sharedUserInfo(),
                                            depth());
}

std::shared_ptr<SingleValueDecodingContainerBox> DecodingNode::makeSingleValueContainer() {
    return std::make_shared<ValueDecoder>(storage_, isOptional_, isInUnkeyedContainer_, sharedCodingPath(),
                                          sharedUserInfo(), depth());
}

} // namespace coding
