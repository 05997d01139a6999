#pragma once

#include "coding/CodingKey.h"
#include "coding/DecodeItem.h"
#include "coding/KeySet.h"

#include <memory>
#include <optional>
#include <vector>

namespace coding {

class Decoder;
class UnkeyedDecodingContainerBox;
class UnkeyedDecodingContainer;

class KeyedDecodingContainerBox {
public:
    virtual ~KeyedDecodingContainerBox() = default;

    virtual const CodingPath& codingPath() const = 0;
    // The keys present in the data that the container's key set knows.
    virtual std::vector<CodingKey> allKeys() const = 0;
    virtual bool contains(const CodingKey& key) const = 0;
    virtual bool decodeNil(const CodingKey& key) = 0;
    virtual void decode(DecodeItem& item, const CodingKey& key) = 0;
    // False when the key is absent or nil; the item is filled otherwise.
    virtual bool decodeIfPresent(DecodeItem& item, const CodingKey& key) {
        if (!contains(key) || decodeNil(key))
            return false;
        decode(item, key);
        return true;
    }
    virtual std::shared_ptr<KeyedDecodingContainerBox> nestedContainer(const KeySet& keys,
                                                                       const CodingKey& key) = 0;
    virtual std::shared_ptr<UnkeyedDecodingContainerBox> nestedUnkeyedContainer(const CodingKey& key) = 0;
    virtual std::shared_ptr<Decoder> superDecoder() = 0;
    virtual std::shared_ptr<Decoder> superDecoder(const CodingKey& key) = 0;
};

class KeyedDecodingContainer {
public:
    explicit KeyedDecodingContainer(std::shared_ptr<KeyedDecodingContainerBox> box) : box_(std::move(box)) {}

    const CodingPath& codingPath() const { return box_->codingPath(); }
    std::vector<CodingKey> allKeys() const { return box_->allKeys(); }
    bool contains(const CodingKey& key) const { return box_->contains(key); }
    bool decodeNil(const CodingKey& key) { return box_->decodeNil(key); }

    template <class T>
    T decode(const CodingKey& key) {
        return decodeThrough<T>([&](DecodeItem& item) { box_->decode(item, key); });
    }
    template <class T>
    std::optional<T> decodeIfPresent(const CodingKey& key) {
        return decodeIfPresentThrough<T>([&](DecodeItem& item) { return box_->decodeIfPresent(item, key); });
    }

    KeyedDecodingContainer nestedContainer(KeySet&&, const CodingKey&) = delete;
    KeyedDecodingContainer nestedContainer(const KeySet& keys, const CodingKey& key) {
        return KeyedDecodingContainer(box_->nestedContainer(keys, key));
    }
    UnkeyedDecodingContainer nestedUnkeyedContainer(const CodingKey& key);
    std::shared_ptr<Decoder> superDecoder() { return box_->superDecoder(); }
    std::shared_ptr<Decoder> superDecoder(const CodingKey& key) { return box_->superDecoder(key); }

    KeyedDecodingContainerBox& box() const { return *box_; }

private:
    std::shared_ptr<KeyedDecodingContainerBox> box_;
};

} // namespace coding
