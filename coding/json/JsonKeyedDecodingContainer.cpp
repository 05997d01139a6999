#include "coding/json/JsonKeyedDecodingContainer.h"

#include "coding/DecodingError.h"
#include "coding/json/JsonPrimitiveCodec.h"

namespace coding {

using Json = nlohmann::ordered_json;

namespace {

const Json::object_t::Container& membersOf(const Json& object) {
    return object.get_ref<const Json::object_t&>();
}

} // namespace

JsonKeyedDecodingContainer::JsonKeyedDecodingContainer(JsonValueRef object, KeySet keys, CodingPath path,
                                                       std::shared_ptr<const UserInfo> userInfo)
    : object_(std::move(object)), keys_(std::move(keys)), path_(std::move(path)), userInfo_(std::move(userInfo)) {
    const auto& members = membersOf(*object_);
    for (std::size_t i = 0; i < members.size(); ++i)
        index_.add(keyHash(members[i].first), i + 1, [&](std::size_t j) { return keyHash(members[j].first); });
}

JsonValueRef JsonKeyedDecodingContainer::find(const CodingKey& key) const {
    const auto& members = membersOf(*object_);
    const std::size_t position = index_.find(keyHash(key.stringValue), members.size(),
                                             [&](std::size_t i) { return members[i].first == key.stringValue; });
    if (position == members.size())
        return nullptr;
    return JsonValueRef(object_, &members[position].second);
}

JsonValueRef JsonKeyedDecodingContainer::require(const CodingKey& key, std::string_view whatFor) const {
    auto member = find(key);
    if (!member)
        throw DecodingError::keyNotFound(
            key, ErrorContext{path_, std::string(whatFor) + "No value associated with key \"" + key.stringValue + "\".",
                              nullptr});
    return member;
}

CodingPath JsonKeyedDecodingContainer::pathTo(const CodingKey& key) const {
    CodingPath path = path_;
    path.push_back(key);
    return path;
}

JsonDecodingNode JsonKeyedDecodingContainer::nodeAt(const CodingKey& key, std::string_view whatFor) const {
    return JsonDecodingNode(require(key, whatFor), pathTo(key), userInfo_);
}

std::vector<CodingKey> JsonKeyedDecodingContainer::allKeys() const {
    std::vector<CodingKey> keys;
    for (const auto& member : membersOf(*object_))
        if (auto key = keys_.fromString(member.first))
            keys.push_back(std::move(*key));
    return keys;
}

bool JsonKeyedDecodingContainer::contains(const CodingKey& key) const { return find(key) != nullptr; }

bool JsonKeyedDecodingContainer::decodeNil(const CodingKey& key) { return require(key, {})->is_null(); }

void JsonKeyedDecodingContainer::decodeMember(DecodeItem& item, const JsonValueRef& member, const CodingKey& key) {
    if (item.category == ValueCategory::primitive) {
        // Most fields: the path is made only for an error.
        item.assign([&] {
            try {
                return JsonPrimitiveCodec::decode(*member, item.primitiveKind, item.typeName, {});
            } catch (DecodingError& error) {
                error.prependPath(pathTo(key));
                throw;
            }
        }());
        return;
    }
    JsonDecodingNode::decodeItem(item, member, pathTo(key), userInfo_);
}

void JsonKeyedDecodingContainer::decode(DecodeItem& item, const CodingKey& key) {
    decodeMember(item, require(key, {}), key);
}

bool JsonKeyedDecodingContainer::decodeIfPresent(DecodeItem& item, const CodingKey& key) {
    auto member = find(key);
    if (!member || member->is_null())
        return false;
    decodeMember(item, member, key);
    return true;
}

std::shared_ptr<KeyedDecodingContainerBox> JsonKeyedDecodingContainer::nestedContainer(const KeySet& keys,
                                                                                       const CodingKey& key) {
    return nodeAt(key, "Cannot get nested keyed container -- ").openKeyedContainer(keys);
}

std::shared_ptr<UnkeyedDecodingContainerBox> JsonKeyedDecodingContainer::nestedUnkeyedContainer(const CodingKey& key) {
    return nodeAt(key, "Cannot get nested unkeyed container -- ").openUnkeyedContainer();
}

std::shared_ptr<Decoder> JsonKeyedDecodingContainer::superDecoder() { return superDecoder(CodingKey("super")); }

// As in Swift, an absent key gives a decoder of null rather than an error: the superclass may
// have nothing to read.
std::shared_ptr<Decoder> JsonKeyedDecodingContainer::superDecoder(const CodingKey& key) {
    auto member = find(key);
    return std::make_shared<JsonDecodingNode>(member ? std::move(member) : JsonDecodingNode::null(), pathTo(key),
                                              userInfo_);
}

} // namespace coding
