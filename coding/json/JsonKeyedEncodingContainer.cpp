#include "coding/json/JsonKeyedEncodingContainer.h"

#include "coding/EncodingError.h"
#include "coding/Fatal.h"
#include "coding/json/JsonEncodingNode.h"
#include "coding/json/JsonPrimitiveCodec.h"
#include "coding/json/JsonUnkeyedEncodingContainer.h"
#include "coding/Utf8.h"

namespace coding {

JsonKeyedEncodingContainer::JsonKeyedEncodingContainer(std::shared_ptr<JsonEncodedValue> object, CodingPath path,
                                                       std::shared_ptr<const JsonEncodingContext> context)
    : object_(std::move(object)), path_(std::move(path)), context_(std::move(context)) {}

CodingPath JsonKeyedEncodingContainer::pathTo(const CodingKey& key) const {
    CodingPath path = path_;
    path.push_back(key);
    return path;
}

std::shared_ptr<JsonEncodedValue> JsonKeyedEncodingContainer::replaceMember(const CodingKey& key) {
    // Dictionary keys come from data as much as from code, and a std::string holds any bytes.
    if (!isValidUtf8(key.stringValue))
        throw EncodingError::invalidValue(key.stringValue, ErrorContext{path_, "Key is not UTF-8", nullptr});
    return object_->replaceMember(key.stringValue);
}

std::shared_ptr<JsonEncodedValue> JsonKeyedEncodingContainer::memberToExtend(const CodingKey& key,
                                                                             JsonEncodedValue::Kind kind) {
    auto member = object_->member(key.stringValue);
    if (!member)
        member = replaceMember(key);
    if (member->kind() == kind)
        return member;
    if (member->kind() != JsonEncodedValue::Kind::unset)
        fatal("Attempt to re-encode into nested " +
              std::string(kind == JsonEncodedValue::Kind::object ? "keyed" : "unkeyed") + " container for key \"" +
              key.stringValue + "\": a value of another kind is already encoded for this key.");
    if (kind == JsonEncodedValue::Kind::object)
        member->becomeObject();
    else
        member->becomeArray();
    return member;
}

void JsonKeyedEncodingContainer::encodeNil(const CodingKey& key) { replaceMember(key)->setScalar(nullptr); }

void JsonKeyedEncodingContainer::encode(const EncodeItem& item, const CodingKey& key) {
    if (item.category == ValueCategory::primitive) {
        // Most fields: the path is made only for an error.
        auto member = replaceMember(key);
        try {
            member->setScalar(JsonPrimitiveCodec::encode(item.primitive, item.typeName, {}));
        } catch (EncodingError& error) {
            error.prependPath(pathTo(key));
            throw;
        }
        return;
    }
    JsonEncodingNode::encodeItem(item, replaceMember(key), pathTo(key), context_);
}

std::shared_ptr<KeyedEncodingContainerBox> JsonKeyedEncodingContainer::nestedContainer(const KeySet&,
                                                                                       const CodingKey& key) {
    return std::make_shared<JsonKeyedEncodingContainer>(memberToExtend(key, JsonEncodedValue::Kind::object),
                                                        pathTo(key), context_);
}

std::shared_ptr<UnkeyedEncodingContainerBox> JsonKeyedEncodingContainer::nestedUnkeyedContainer(const CodingKey& key) {
    return std::make_shared<JsonUnkeyedEncodingContainer>(memberToExtend(key, JsonEncodedValue::Kind::array),
                                                          pathTo(key), context_);
}

std::shared_ptr<Encoder> JsonKeyedEncodingContainer::superEncoder() { return superEncoder(CodingKey("super")); }

// The member takes its place now, so the order of keys is the order of the calls, whatever the
// moment the super encoder is written to.
std::shared_ptr<Encoder> JsonKeyedEncodingContainer::superEncoder(const CodingKey& key) {
    return std::make_shared<JsonEncodingNode>(replaceMember(key), pathTo(key), context_);
}

} // namespace coding
