#include "CompactCoding/EncodingNode.h"

#include "CompactCoding/KeyedEncoder.h"
#include "CompactCoding/UnkeyedEncoder.h"
#include "CompactCoding/ValueEncoder.h"
#include "coding/EncodingError.h"
#include "coding/Fatal.h"

#include <string>

namespace coding {

template <class Make>
auto EncodingNode::assignedContainer(Make&& make) {
    if (container_)
        fatal("Multiple calls to `container<>(keyedBy:)`, `unkeyedContainer()`, or `singleValueContainer()` for "
              "an encoder");
    auto container = std::forward<Make>(make)();
    container_ = container;
    return container;
}

std::shared_ptr<KeyedEncodingContainerBox> EncodingNode::makeKeyedContainer(const KeySet& keys) {
    return assignedContainer([&] {
        return makeNode<KeyedEncoder>(sharedCodingPath(), sharedUserInfo(), containsOptional(), keys);
    });
}

std::shared_ptr<UnkeyedEncodingContainerBox> EncodingNode::makeUnkeyedContainer() {
    return assignedContainer([&] {
        return makeNode<UnkeyedEncoder>(sharedCodingPath(), sharedUserInfo(), containsOptional());
    });
}

std::shared_ptr<SingleValueEncodingContainerBox> EncodingNode::makeSingleValueContainer() {
    auto container = assignedContainer([&] {
        return makeNode<ValueEncoder>(sharedCodingPath(), sharedUserInfo(), containsOptional());
    });
    valueContainer_ = container.get();
    return container;
}

void EncodingNode::requireCompleted(std::string_view typeName) const {
    if (!container_ || (valueContainer_ && !valueContainer_->isWritable()))
        throw EncodingError::invalidValue(std::string(typeName),
                                          ErrorContext{codingPath(), std::string(typeName) + " did not encode any values.",
                                                       nullptr});
}

std::shared_ptr<EncodingContainer> EncodingNode::completedContainer(std::string_view typeName) const {
    requireCompleted(typeName);
    return container_;
}

std::shared_ptr<EncodingContainer> EncodingNode::takeCompletedContainer(std::string_view typeName) {
    requireCompleted(typeName);
    valueContainer_ = nullptr;
    return std::move(container_);
}

const EncodingContainer& EncodingNode::requiredContainer() const {
    if (!container_)
        throw EncodingError::invalidValue(std::string(),
                                          ErrorContext{codingPath(), "Encoder did not encode any values.", nullptr});
    return *container_;
}

} // namespace coding
