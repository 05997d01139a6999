#include "CompactCoding/UnkeyedDecoder.h"

#include "CompactCoding/AnyCodingKey.h"
#include "CompactCoding/DecodingNode.h"
#include "CompactCoding/KeyedDecoder.h"
#include "CompactCoding/PrimitiveCodec.h"
#include "CompactCoding/UserInfoFlag.h"
#include "coding/DecodingError.h"
#include "coding/Fatal.h"

#include <algorithm>

namespace coding {

UnkeyedDecoder::UnkeyedDecoder(std::span<const std::uint8_t> bytes, std::shared_ptr<const void> keepAlive,
                               std::shared_ptr<const CodingPath> codingPath,
                               std::shared_ptr<const UserInfo> userInfo, std::uint32_t depth)
    : AbstractDecodingNode(std::move(codingPath), std::move(userInfo), depth),
      decoder_(std::make_shared<DataDecoder>(bytes, std::move(keepAlive))),
      hasNilIndices_(userInfoFlag(UserInfoOption::nilIndices, this->userInfo())) {
    if (hasNilIndices_)
        readNilIndices();
}

void UnkeyedDecoder::readNilIndices() {
    const CodingPath& path = codingPath();
    const auto count = static_cast<std::int64_t>(decoder_->readVarint(path));
    if (count < 0)
        throw DecodingError::dataCorrupted(path, "Invalid data size");
    // Every position takes at least one byte: a count beyond the bytes left cannot be met.
    if (static_cast<std::uint64_t>(count) > decoder_->remaining())
        throw DecodingError::dataCorrupted(path, "Premature end of data");
    for (std::int64_t i = 0; i < count; ++i)
        nilIndices_.push_back(static_cast<std::int64_t>(decoder_->readVarint(path)));
    std::sort(nilIndices_.begin(), nilIndices_.end());
    nilIndices_.erase(std::unique(nilIndices_.begin(), nilIndices_.end()), nilIndices_.end());
}

bool UnkeyedDecoder::isNilAt(std::int64_t position) const {
    return !nilIndices_.empty() && std::binary_search(nilIndices_.begin(), nilIndices_.end(), position);
}

bool UnkeyedDecoder::isAtEnd() const {
    if (isNilAt(currentIndex_))
        return false;
    return !decoder_->hasMoreBytes();
}

bool UnkeyedDecoder::decodeNil() {
    if (!hasNilIndices_)
        fatal("Use option `containsNilIndexSetForUnkeyedContainers` to use `decodeNil()`");
    if (!isNilAt(currentIndex_))
        return false;
    ++currentIndex_;
    return true;
}

void UnkeyedDecoder::prependPosition(DecodingError& error, std::int64_t position) const {
    error.prependKey(AnyCodingKey(position).codingKey());
    error.prependPath(codingPath());
}

void UnkeyedDecoder::decode(DecodeItem& item) {
    const std::int64_t position = currentIndex_++; // a failed element counts too
    try {
        switch (item.category) {
        case ValueCategory::primitive: {
            const auto bytes = decoder_->getDataOfType(dataTypeOf(item.primitiveKind), codingPath());
            decodePrimitive(item, bytes, codingPath());
            return;
        }
        case ValueCategory::optional:
        case ValueCategory::other: {
            // The node lives only for this call, which this container outlasts: it borrows the
            // reader instead of sharing its ownership.
            std::shared_ptr<BinaryStreamProvider> reader(std::shared_ptr<void>(), decoder_.get());
            DecodingNode node(Storage::decoder(std::move(reader)), item.category == ValueCategory::optional, true,
                              sharedCodingPath(), sharedUserInfo(), depth() + 1);
            item.decode(node);
            return;
        }
        }
    } catch (DecodingError& error) {
        prependPosition(error, position);
        throw;
    }
}

std::span<const std::uint8_t> UnkeyedDecoder::nextContainerBytes(std::int64_t position) {
    try {
        return decoder_->getDataOfType(DataType::variableLength, codingPath());
    } catch (DecodingError& error) {
        prependPosition(error, position);
        throw;
    }
}

std::shared_ptr<KeyedDecodingContainerBox> UnkeyedDecoder::nestedContainer(const KeySet& keys) {
    const std::int64_t position = currentIndex_++;
    const auto bytes = nextContainerBytes(position);
    try {
        return KeyedDecoder::make(bytes, decoder_->keepAlive(), keys, sharedCodingPath(),
                                              sharedUserInfo(), depth() + 1);
    } catch (DecodingError& error) {
        prependPosition(error, position);
        throw;
    }
}

std::shared_ptr<UnkeyedDecodingContainerBox> UnkeyedDecoder::nestedUnkeyedContainer() {
    const std::int64_t position = currentIndex_++;
    const auto bytes = nextContainerBytes(position);
    try {
        return std::make_shared<UnkeyedDecoder>(bytes, decoder_->keepAlive(), sharedCodingPath(), sharedUserInfo(),
                                                depth() + 1);
    } catch (DecodingError& error) {
        prependPosition(error, position);
        throw;
    }
}

std::shared_ptr<Decoder> UnkeyedDecoder::superDecoder() {
    ++currentIndex_;
    return std::make_shared<DecodingNode>(Storage::decoder(decoder_), false, true, sharedCodingPath(),
                                          sharedUserInfo(), depth() + 1);
}

} // namespace coding
