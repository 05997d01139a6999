#pragma once

#include "coding/CodingKey.h"
#include "coding/DecodeItem.h"

#include <memory>

namespace coding {

class SingleValueDecodingContainerBox {
public:
    virtual ~SingleValueDecodingContainerBox() = default;

    virtual const CodingPath& codingPath() const = 0;
    virtual bool decodeNil() = 0;
    virtual void decode(DecodeItem& item) = 0;
};

class SingleValueDecodingContainer {
public:
    explicit SingleValueDecodingContainer(std::shared_ptr<SingleValueDecodingContainerBox> box)
        : box_(std::move(box)) {}

    const CodingPath& codingPath() const { return box_->codingPath(); }
    bool decodeNil() { return box_->decodeNil(); }
    template <class T>
    T decode() {
        return decodeThrough<T>([&](DecodeItem& item) { box_->decode(item); });
    }

    SingleValueDecodingContainerBox& box() const { return *box_; }

private:
    std::shared_ptr<SingleValueDecodingContainerBox> box_;
};

} // namespace coding
