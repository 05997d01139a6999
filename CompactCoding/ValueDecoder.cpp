#include "CompactCoding/ValueDecoder.h"

#include "CompactCoding/DecodingNode.h"
#include "CompactCoding/PrimitiveCodec.h"
#include "coding/DecodingError.h"

namespace coding {

BinaryStreamProvider& ValueDecoder::reader() {
    if (storage_.isData())
        storage_ = Storage::decoder(storage_.useAsDecoder());
    return *storage_.source();
}

bool ValueDecoder::decodeNil() {
    try {
        return reader().getByte(codingPath()) == 0;
    } catch (const DecodingError&) {
        return false;
    }
}

void ValueDecoder::decode(DecodeItem& item) {
    switch (item.category) {
    case ValueCategory::optional:
    case ValueCategory::other: {
        DecodingNode node(storage_, item.category == ValueCategory::optional, false, sharedCodingPath(),
                          sharedUserInfo(), depth() + 1);
        item.decode(node);
        return;
    }
    case ValueCategory::primitive: break;
    }

    const DataType type = dataTypeOf(item.primitiveKind);
    std::span<const std::uint8_t> bytes;
    if (!isInUnkeyedContainer_ && !isOptional_ && type == DataType::variableLength) {
        // Text or a blob that stands alone: in memory it is the whole buffer; read from a source
        // (also one after a marker) it carries its length prefix, as the encoder wrote it.
        bytes = storage_.isData() ? storage_.bytes()
                                  : storage_.source()->getDataOfType(DataType::variableLength, codingPath());
    } else {
        bytes = reader().getDataOfType(type, codingPath());
    }
    decodePrimitive(item, bytes, codingPath());
}

} // namespace coding
