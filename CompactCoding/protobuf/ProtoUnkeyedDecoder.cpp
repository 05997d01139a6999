#include "CompactCoding/protobuf/ProtoUnkeyedDecoder.h"

#include "CompactCoding/PrimitiveCodec.h"
#include "CompactCoding/protobuf/ProtoDecodeValue.h"
#include "CompactCoding/protobuf/ProtoDecodingNode.h"
#include "CompactCoding/protobuf/ProtoKeyedDecoder.h"
#include "coding/DecodingError.h"

namespace coding {

ProtoUnkeyedDecoder::ProtoUnkeyedDecoder(ProtoElementReader reader, ProtoDecodeCall& call, std::uint32_t depth)
    : AbstractProtoDecodingNode(call, depth), reader_(reader) {}

ProtoUnkeyedDecoder::ProtoUnkeyedDecoder(std::vector<ProtoOccurrence> occurrences, ProtoDecodeCall& call,
                                         std::uint32_t depth)
    : AbstractProtoDecodingNode(call, depth), occurrences_(std::move(occurrences)),
      reader_(ProtoElementReader::repeatedField(occurrences_, call)) {}

std::shared_ptr<ProtoUnkeyedDecoder> ProtoUnkeyedDecoder::over(const ProtoStorage& storage, ProtoDecodeCall& call,
                                                               std::uint32_t depth) {
    if (storage.kind() == ProtoStorage::Kind::field && storage.isRepeatedField())
        return std::make_shared<ProtoUnkeyedDecoder>(
            ProtoElementReader::repeatedField(storage.occurrences(), call, storage.elements()),
            call, depth);
    const auto bytes = storage.standaloneBytes(*call.codingPath());
    return std::make_shared<ProtoUnkeyedDecoder>(ProtoElementReader::elements(bytes), call, depth);
}

void ProtoUnkeyedDecoder::decode(DecodeItem& item) {
    ++currentIndex_; // a failed element counts too
    if (item.category == ValueCategory::primitive) {
        // The element's bytes are taken before the type is refused, so the next one can be read.
        const auto bytes = reader_.nextValue(dataTypeOf(item.primitiveKind), codingPath());
        requireProtobufForm(item);
        decodeProtobufPrimitive(item, bytes, codingPath());
        return;
    }
    const std::uint64_t before = reader_.position();
    decodeProtoNestedValue(item, ProtoStorage::element(reader_), *this);
    if (reader_.position() == before)
        throw DecodingError::dataCorrupted(codingPath(), "List element read no data");
}

std::shared_ptr<KeyedDecodingContainerBox> ProtoUnkeyedDecoder::nestedContainer(const KeySet& keys) {
    ++currentIndex_;
    return ProtoKeyedDecoder::make(reader_.nextPayload(codingPath()), keys, call(), depth() + 1);
}

std::shared_ptr<UnkeyedDecodingContainerBox> ProtoUnkeyedDecoder::nestedUnkeyedContainer() {
    ++currentIndex_;
    return std::make_shared<ProtoUnkeyedDecoder>(ProtoElementReader::elements(reader_.nextPayload(codingPath())),
                                                 call(), depth() + 1);
}

std::shared_ptr<Decoder> ProtoUnkeyedDecoder::superDecoder() {
    ++currentIndex_;
    // The node may be kept after this list's handle is gone: it holds the list.
    return std::make_shared<ProtoDecodingNode>(ProtoStorage::element(reader_), call(), depth() + 1,
                                               shared_from_this());
}

} // namespace coding
