#pragma once

#include "CompactCoding/AbstractNode.h"
#include "CompactCoding/EncodingContainer.h"
#include "CompactCoding/protobuf/ProtobufEncodingError.h"
#include "coding/Encoder.h"

#include <exception>
#include <memory>

namespace coding {

// What the protobuf encoders hand back for a container call that cannot throw and cannot be
// honoured (a key without a field number, a super encoder, a call a oneof does not allow): an
// encoder that remembers the error and throws it at the first call that can throw. Every
// container made from it carries the same path, options and error. Nothing of it is ever written.
class ProtoThrowingNode : public AbstractNode, public Encoder, public EncodingContainer {
public:
    // `error` is the error to throw: a ProtobufEncodingError, or the encoding error of a map key
    // that could not be made.
    ProtoThrowingNode(std::shared_ptr<const CodingPath> codingPath, std::shared_ptr<const UserInfo> userInfo,
                      std::exception_ptr error)
        : AbstractNode(std::move(codingPath), std::move(userInfo)), error_(std::move(error)) {}
    ProtoThrowingNode(std::shared_ptr<const CodingPath> codingPath, std::shared_ptr<const UserInfo> userInfo,
                      const ProtobufEncodingError& error)
        : ProtoThrowingNode(std::move(codingPath), std::move(userInfo), std::make_exception_ptr(error)) {}
    ProtoThrowingNode(const ProtoThrowingNode& other)
        : AbstractNode(other.sharedCodingPath(), other.sharedUserInfo()), error_(other.error_) {}

    const CodingPath& codingPath() const override { return AbstractNode::codingPath(); }
    const UserInfo& userInfo() const override { return AbstractNode::userInfo(); }
    // Throws a copy of the recorded error, so that every call throws an equal one whatever its
    // catchers do to theirs.
    [[noreturn]] void throwError() const;

    // EncodingContainer: never stored, so never written.
    std::size_t dataSize() const override { return 0; }
    void appendData(std::vector<std::uint8_t>&) const override {}
    bool isEmpty() const override { return false; }

protected:
    std::shared_ptr<KeyedEncodingContainerBox> makeKeyedContainer(const KeySet& keys) override;
    std::shared_ptr<UnkeyedEncodingContainerBox> makeUnkeyedContainer() override;
    std::shared_ptr<SingleValueEncodingContainerBox> makeSingleValueContainer() override;

private:
    std::exception_ptr error_;
};

} // namespace coding
