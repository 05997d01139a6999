#pragma once

#include "coding/CodingKey.h"
#include "coding/EncodeItem.h"
#include "coding/KeySet.h"

#include <memory>
#include <optional>

namespace coding {

class Encoder;
class KeyedEncodingContainer;
class UnkeyedEncodingContainerBox;

// What a coder implements for a keyed container. Records never see it: they get the handle.
class KeyedEncodingContainerBox {
public:
    virtual ~KeyedEncodingContainerBox() = default;

    virtual const CodingPath& codingPath() const = 0;
    virtual void encodeNil(const CodingKey& key) = 0;
    virtual void encode(const EncodeItem& item, const CodingKey& key) = 0;
    // `item` is null for an absent value. By default an absent value writes nothing.
    virtual void encodeIfPresent(const EncodeItem* item, const CodingKey& key) {
        if (item)
            encode(*item, key);
    }
    virtual std::shared_ptr<KeyedEncodingContainerBox> nestedContainer(const KeySet& keys,
                                                                       const CodingKey& key) = 0;
    virtual std::shared_ptr<UnkeyedEncodingContainerBox> nestedUnkeyedContainer(const CodingKey& key) = 0;
    virtual std::shared_ptr<Encoder> superEncoder() = 0;
    virtual std::shared_ptr<Encoder> superEncoder(const CodingKey& key) = 0;
};

class UnkeyedEncodingContainer;

// The keyed container a record writes its fields into: a handle over the coder's box, so a
// nested container handed out is the very object its parent holds.
class KeyedEncodingContainer {
public:
    explicit KeyedEncodingContainer(std::shared_ptr<KeyedEncodingContainerBox> box) : box_(std::move(box)) {}

    const CodingPath& codingPath() const { return box_->codingPath(); }

    template <class T>
    void encode(const T& value, const CodingKey& key) {
        box_->encode(makeEncodeItem(value), key);
    }
    void encodeNil(const CodingKey& key) { box_->encodeNil(key); }
    template <class T>
    void encodeIfPresent(const std::optional<T>& value, const CodingKey& key) {
        if (!value) {
            box_->encodeIfPresent(nullptr, key);
            return;
        }
        auto item = makeEncodeItem(*value);
        box_->encodeIfPresent(&item, key);
    }

    KeyedEncodingContainer nestedContainer(KeySet&&, const CodingKey&) = delete;
    KeyedEncodingContainer nestedContainer(const KeySet& keys, const CodingKey& key) {
        return KeyedEncodingContainer(box_->nestedContainer(keys, key));
    }
    UnkeyedEncodingContainer nestedUnkeyedContainer(const CodingKey& key);
    std::shared_ptr<Encoder> superEncoder() { return box_->superEncoder(); }
    std::shared_ptr<Encoder> superEncoder(const CodingKey& key) { return box_->superEncoder(key); }

    KeyedEncodingContainerBox& box() const { return *box_; }

private:
    std::shared_ptr<KeyedEncodingContainerBox> box_;
};

} // namespace coding
