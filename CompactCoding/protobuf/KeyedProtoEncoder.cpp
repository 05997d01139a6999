#include "CompactCoding/protobuf/KeyedProtoEncoder.h"

#include "CompactCoding/protobuf/ProtoNode.h"
#include "CompactCoding/protobuf/UnkeyedProtoEncoder.h"
#include "coding/Fatal.h"

namespace coding {

CodingPath KeyedProtoEncoder::pathTo(const CodingKey& key) const {
    CodingPath path = nodePath();
    path.push_back(key);
    return path;
}

ProtoKeyWrapper KeyedProtoEncoder::newKey(const CodingKey& key) {
    ProtoKeyWrapper wrapper(key);
    if (!keys_.insert(wrapper).second)
        fatal("Multiple values encoded for key " + wrapper.description());
    return wrapper;
}

void KeyedProtoEncoder::encodeNil(const CodingKey&) {
    throw ProtobufEncodingError(ProtobufEncodingError::Kind::nilValuesNotSupported);
}

void KeyedProtoEncoder::encode(const EncodeItem& item, const CodingKey& key) { record(item, key, false); }

void KeyedProtoEncoder::encodeIfPresent(const EncodeItem* item, const CodingKey& key) {
    if (item)
        record(*item, key, true);
}

void KeyedProtoEncoder::record(const EncodeItem& item, const CodingKey& key, bool isOptional) {
    if (item.isOneOf)
        throw ProtobufEncodingError(ProtobufEncodingError::Kind::unsupportedType, "Oneof definition");
    ProtoKeyWrapper wrapper = newKey(key);
    try {
        content_.push_back(Entry{std::move(wrapper), ProtoNode::describe(item, *this), isOptional});
    } catch (...) {
        keys_.erase(ProtoKeyWrapper(key)); // nothing is recorded for a value that failed
        throw;
    }
}

std::shared_ptr<KeyedEncodingContainerBox> KeyedProtoEncoder::nestedContainer(const KeySet&, const CodingKey& key) {
    auto container = std::make_shared<KeyedProtoEncoder>(encodedType(), pathTo(key), sharedUserInfo());
    content_.push_back(Entry{newKey(key), container, false});
    return container;
}

std::shared_ptr<UnkeyedEncodingContainerBox> KeyedProtoEncoder::nestedUnkeyedContainer(const CodingKey& key) {
    auto container = std::make_shared<UnkeyedProtoEncoder>(encodedType(), pathTo(key), sharedUserInfo());
    content_.push_back(Entry{newKey(key), container, false});
    return container;
}

std::shared_ptr<Encoder> KeyedProtoEncoder::superEncoder() {
    fatal("Protobuf compatibility does not support encoding super");
}

std::shared_ptr<Encoder> KeyedProtoEncoder::superEncoder(const CodingKey&) {
    fatal("Protobuf compatibility does not support encoding super");
}

} // namespace coding
