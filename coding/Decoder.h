#pragma once

#include "coding/CodingKey.h"
#include "coding/KeySet.h"
#include "coding/KeyedDecodingContainer.h"
#include "coding/SingleValueDecodingContainer.h"
#include "coding/UnkeyedDecodingContainer.h"
#include "coding/UserInfo.h"

#include <memory>

namespace coding {

// What a value decodes itself from.
class Decoder {
public:
    virtual ~Decoder() = default;

    virtual const CodingPath& codingPath() const = 0;
    virtual const UserInfo& userInfo() const = 0;

    // Containers may keep the key set: it must outlive them (a record's static keys do).
    KeyedDecodingContainer container(const KeySet& keys) { return KeyedDecodingContainer(makeKeyedContainer(keys)); }
    KeyedDecodingContainer container(KeySet&&) = delete;
    UnkeyedDecodingContainer unkeyedContainer() { return UnkeyedDecodingContainer(makeUnkeyedContainer()); }
    SingleValueDecodingContainer singleValueContainer() {
        return SingleValueDecodingContainer(makeSingleValueContainer());
    }

protected:
    virtual std::shared_ptr<KeyedDecodingContainerBox> makeKeyedContainer(const KeySet& keys) = 0;
    virtual std::shared_ptr<UnkeyedDecodingContainerBox> makeUnkeyedContainer() = 0;
    virtual std::shared_ptr<SingleValueDecodingContainerBox> makeSingleValueContainer() = 0;
};

} // namespace coding
