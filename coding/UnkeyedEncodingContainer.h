#pragma once

#include "coding/CodingKey.h"
#include "coding/EncodeItem.h"
#include "coding/KeyedEncodingContainer.h"
#include "coding/KeySet.h"

#include <cstdint>
#include <memory>

namespace coding {

class Encoder;

class UnkeyedEncodingContainerBox {
public:
    virtual ~UnkeyedEncodingContainerBox() = default;

    virtual const CodingPath& codingPath() const = 0;
    // Elements and nils encoded so far.
    virtual std::int64_t count() const = 0;
    virtual void encodeNil() = 0;
    virtual void encode(const EncodeItem& item) = 0;
    virtual std::shared_ptr<KeyedEncodingContainerBox> nestedContainer(const KeySet& keys) = 0;
    virtual std::shared_ptr<UnkeyedEncodingContainerBox> nestedUnkeyedContainer() = 0;
    virtual std::shared_ptr<Encoder> superEncoder() = 0;
};

class UnkeyedEncodingContainer {
public:
    explicit UnkeyedEncodingContainer(std::shared_ptr<UnkeyedEncodingContainerBox> box) : box_(std::move(box)) {}

    const CodingPath& codingPath() const { return box_->codingPath(); }
    std::int64_t count() const { return box_->count(); }

    template <class T>
    void encode(const T& value) {
        box_->encode(makeEncodeItem(value));
    }
    void encodeNil() { box_->encodeNil(); }

    KeyedEncodingContainer nestedContainer(KeySet&&) = delete;
    KeyedEncodingContainer nestedContainer(const KeySet& keys) {
        return KeyedEncodingContainer(box_->nestedContainer(keys));
    }
    UnkeyedEncodingContainer nestedUnkeyedContainer() {
        return UnkeyedEncodingContainer(box_->nestedUnkeyedContainer());
    }
    std::shared_ptr<Encoder> superEncoder() { return box_->superEncoder(); }

    UnkeyedEncodingContainerBox& box() const { return *box_; }

private:
    std::shared_ptr<UnkeyedEncodingContainerBox> box_;
};

inline UnkeyedEncodingContainer KeyedEncodingContainer::nestedUnkeyedContainer(const CodingKey& key) {
    return UnkeyedEncodingContainer(box_->nestedUnkeyedContainer(key));
}

} // namespace coding
