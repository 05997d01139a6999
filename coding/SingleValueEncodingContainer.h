#pragma once

#include "coding/CodingKey.h"
#include "coding/EncodeItem.h"

#include <memory>

namespace coding {

class SingleValueEncodingContainerBox {
public:
    virtual ~SingleValueEncodingContainerBox() = default;

    virtual const CodingPath& codingPath() const = 0;
    virtual void encodeNil() = 0;
    virtual void encode(const EncodeItem& item) = 0;
};

class SingleValueEncodingContainer {
public:
    explicit SingleValueEncodingContainer(std::shared_ptr<SingleValueEncodingContainerBox> box)
        : box_(std::move(box)) {}

    const CodingPath& codingPath() const { return box_->codingPath(); }
    void encodeNil() { box_->encodeNil(); }
    template <class T>
    void encode(const T& value) {
        box_->encode(makeEncodeItem(value));
    }

    SingleValueEncodingContainerBox& box() const { return *box_; }

private:
    std::shared_ptr<SingleValueEncodingContainerBox> box_;
};

} // namespace coding
