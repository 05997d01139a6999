#pragma once

#include "coding/CodingKey.h"
#include "coding/KeySet.h"
#include "coding/KeyedEncodingContainer.h"
#include "coding/SingleValueEncodingContainer.h"
#include "coding/UnkeyedEncodingContainer.h"
#include "coding/UserInfo.h"

#include <memory>

namespace coding {

// What a value encodes itself into. A value asks for exactly one container.
class Encoder {
public:
    virtual ~Encoder() = default;

    virtual const CodingPath& codingPath() const = 0;
    virtual const UserInfo& userInfo() const = 0;

    // Containers may keep the key set: it must outlive them (a record's static keys do).
    KeyedEncodingContainer container(const KeySet& keys) { return KeyedEncodingContainer(makeKeyedContainer(keys)); }
    KeyedEncodingContainer container(KeySet&&) = delete;
    UnkeyedEncodingContainer unkeyedContainer() { return UnkeyedEncodingContainer(makeUnkeyedContainer()); }
    SingleValueEncodingContainer singleValueContainer() {
        return SingleValueEncodingContainer(makeSingleValueContainer());
    }

protected:
    virtual std::shared_ptr<KeyedEncodingContainerBox> makeKeyedContainer(const KeySet& keys) = 0;
    virtual std::shared_ptr<UnkeyedEncodingContainerBox> makeUnkeyedContainer() = 0;
    virtual std::shared_ptr<SingleValueEncodingContainerBox> makeSingleValueContainer() = 0;
};

} // namespace coding
