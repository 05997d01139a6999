#include "CompactCoding/protobuf/ProtoUnkeyedEncoder.h"

#include "CompactCoding/protobuf/IntKeyWrapper.h"
#include "CompactCoding/protobuf/ProtoEncodeValue.h"
#include "CompactCoding/protobuf/ProtoEncodingNode.h"
#include "CompactCoding/protobuf/ProtoKeyedEncoder.h"
#include "CompactCoding/protobuf/ProtobufEncodingError.h"
#include "CompactCoding/SmallBytes.h"
#include "CompactCoding/VariableLengthInteger.h"
#include "coding/Fatal.h"

namespace coding {

ProtoUnkeyedEncoder::ProtoUnkeyedEncoder(std::shared_ptr<const CodingPath> codingPath,
                                         std::shared_ptr<const UserInfo> userInfo, EncodingArena& arena)
    : AbstractEncodingNode(std::move(codingPath), std::move(userInfo), false, arena),
      bytes_(arena),
      elements_(ArenaAllocator<Element>(arena)) {}

void ProtoUnkeyedEncoder::encodeNil() {
    throw ProtobufEncodingError(ProtobufEncodingError::Kind::nilValuesNotSupported);
}

DataType ProtoUnkeyedEncoder::firstDataType() const {
    const Element& first = elements_.front();
    return first.nested ? first.nested->dataType() : first.dataType;
}

void ProtoUnkeyedEncoder::encode(const EncodeItem& item) {
    if (item.category != ValueCategory::primitive) {
        append(encodeProtoRequiredValue(item, *this));
        return;
    }
    PrimitiveScratch scratch;
    const ProtobufForm form = protobufPrimitive(item, codingPath(), nullptr, scratch);
    const DataType dataType = dataTypeOf(kindOf(item.primitive));
    if (!elements_.empty() && firstDataType() != dataType)
        throw ProtobufEncodingError(ProtobufEncodingError::Kind::multipleTypesInUnkeyedContainer);
    const std::size_t size = form.bytes.size();
    if (size > std::numeric_limits<std::uint32_t>::max() - bytes_.size() - maxVariableLengthSize)
        fatal("A list of 4 GiB or more cannot be encoded");
    cachedSize_ = unknownSize;
    std::uint8_t* const start = bytes_.room(maxVariableLengthSize + size);
    std::uint8_t* out = start;
    if (dataType == DataType::variableLength)
        out = writeVariableLength(size, out);
    copyBytes(out, form.bytes.data(), size);
    out += size;
    elements_.push_back(Element{static_cast<std::uint32_t>(bytes_.size()), static_cast<std::uint32_t>(out - start),
                                dataType, nullptr});
    bytes_.commit(out);
}

void ProtoUnkeyedEncoder::append(std::shared_ptr<EncodingContainer> container) {
    cachedSize_ = unknownSize;
    elements_.push_back(Element{0, 0, DataType::variableLength, std::move(container)});
}

std::shared_ptr<KeyedEncodingContainerBox> ProtoUnkeyedEncoder::nestedContainer(const KeySet& keys) {
    auto container = makeNode<ProtoKeyedEncoder>(sharedCodingPath(), sharedUserInfo(), keys.keys().size());
    append(container);
    return container;
}

std::shared_ptr<UnkeyedEncodingContainerBox> ProtoUnkeyedEncoder::nestedUnkeyedContainer() {
    auto container = makeNode<ProtoUnkeyedEncoder>(sharedCodingPath(), sharedUserInfo());
    append(container);
    return container;
}

std::shared_ptr<Encoder> ProtoUnkeyedEncoder::superEncoder() {
    auto node = makeNode<ProtoEncodingNode>(sharedCodingPath(), sharedUserInfo());
    append(node);
    return node;
}

// ---- bytes ----

std::size_t ProtoUnkeyedEncoder::elementSize(const Element& element) const {
    return element.nested ? element.nested->dataWithLengthPrefixSize() : element.length;
}

void ProtoUnkeyedEncoder::appendElement(const Element& element, std::vector<std::uint8_t>& out) const {
    if (element.nested) {
        element.nested->appendDataWithLengthPrefix(out);
        return;
    }
    const std::uint8_t* start = bytes_.data() + element.offset;
    out.insert(out.end(), start, start + element.length);
}

std::size_t ProtoUnkeyedEncoder::dataSize() const {
    if (cachedSize_ != unknownSize)
        return cachedSize_;
    std::size_t size = 0;
    for (const Element& element : elements_)
        size += elementSize(element);
    cachedSize_ = size;
    return size;
}

void ProtoUnkeyedEncoder::appendData(std::vector<std::uint8_t>& out) const {
    for (const Element& element : elements_)
        appendElement(element, out);
}

std::size_t ProtoUnkeyedEncoder::sizeWithKey(const CodingKeyWrapper& key) const {
    if (!isOccurrencePerElement())
        return occurrenceSize(key);
    const std::size_t tagSize = key.headerSize(DataType::variableLength);
    return tagSize * elements_.size() + dataSize();
}

void ProtoUnkeyedEncoder::appendWithKey(const CodingKeyWrapper& key, std::vector<std::uint8_t>& out) const {
    if (!isOccurrencePerElement()) {
        appendOccurrence(key, out); // packed
        return;
    }
    for (const Element& element : elements_) {
        key.appendHeader(DataType::variableLength, out);
        appendElement(element, out);
    }
}

} // namespace coding
