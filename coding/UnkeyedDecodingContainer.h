#pragma once

#include "coding/CodingKey.h"
#include "coding/DecodeItem.h"
#include "coding/KeySet.h"
#include "coding/KeyedDecodingContainer.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>

namespace coding {

class Decoder;

class UnkeyedDecodingContainerBox {
public:
    virtual ~UnkeyedDecodingContainerBox() = default;

    virtual const CodingPath& codingPath() const = 0;
    // The number of elements, when the format knows it.
    virtual std::optional<std::int64_t> count() const = 0;
    virtual bool isAtEnd() const = 0;
    virtual std::int64_t currentIndex() const = 0;
    // The bytes of the list not read yet, where the format knows them (0 where not): a decoded
    // list may make room from them, as from nothing the data merely claims.
    virtual std::size_t unreadByteCount() const { return 0; }
    // True (and the position advanced) when the next element is nil.
    virtual bool decodeNil() = 0;
    virtual void decode(DecodeItem& item) = 0;
    virtual bool decodeIfPresent(DecodeItem& item) {
        if (isAtEnd() || decodeNil())
            return false;
        decode(item);
        return true;
    }
    virtual std::shared_ptr<KeyedDecodingContainerBox> nestedContainer(const KeySet& keys) = 0;
    virtual std::shared_ptr<UnkeyedDecodingContainerBox> nestedUnkeyedContainer() = 0;
    virtual std::shared_ptr<Decoder> superDecoder() = 0;
};

class UnkeyedDecodingContainer {
public:
    explicit UnkeyedDecodingContainer(std::shared_ptr<UnkeyedDecodingContainerBox> box) : box_(std::move(box)) {}

    const CodingPath& codingPath() const { return box_->codingPath(); }
    std::optional<std::int64_t> count() const { return box_->count(); }
    bool isAtEnd() const { return box_->isAtEnd(); }
    std::int64_t currentIndex() const { return box_->currentIndex(); }
    std::size_t unreadByteCount() const { return box_->unreadByteCount(); }
    bool decodeNil() { return box_->decodeNil(); }

    template <class T>
    T decode() {
        return decodeThrough<T>([&](DecodeItem& item) { box_->decode(item); });
    }
    template <class T>
    std::optional<T> decodeIfPresent() {
        return decodeIfPresentThrough<T>([&](DecodeItem& item) { return box_->decodeIfPresent(item); });
    }

    KeyedDecodingContainer nestedContainer(KeySet&&) = delete;
    KeyedDecodingContainer nestedContainer(const KeySet& keys) {
        return KeyedDecodingContainer(box_->nestedContainer(keys));
    }
    UnkeyedDecodingContainer nestedUnkeyedContainer() {
        return UnkeyedDecodingContainer(box_->nestedUnkeyedContainer());
    }
    std::shared_ptr<Decoder> superDecoder() { return box_->superDecoder(); }

    UnkeyedDecodingContainerBox& box() const { return *box_; }

private:
    std::shared_ptr<UnkeyedDecodingContainerBox> box_;
};

inline UnkeyedDecodingContainer KeyedDecodingContainer::nestedUnkeyedContainer(const CodingKey& key) {
    return UnkeyedDecodingContainer(box_->nestedUnkeyedContainer(key));
}

} // namespace coding
