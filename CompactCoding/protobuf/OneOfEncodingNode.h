#pragma once

#include "CompactCoding/AbstractEncodingNode.h"
#include "CompactCoding/EncodingContainer.h"
#include "CompactCoding/protobuf/IntKeyWrapper.h"
#include "coding/Encoder.h"

#include <memory>
#include <utility>

namespace coding {

class OneOfKeyedEncoder;

// The encoder a oneof (an enumeration whose cases carry one value each, marked `isOneOf`)
// describes itself to when it is the value of a message field: a keyed container under its case
// keys, in it a nested keyed container for the chosen case, and in that the case's value. The
// enclosing message stores that value under the case's field number. Any other container is
// refused with invalidAccess.
class OneOfEncodingNode final : public AbstractEncodingNode, public Encoder {
public:
    OneOfEncodingNode(std::shared_ptr<const CodingPath> codingPath, std::shared_ptr<const UserInfo> userInfo,
                      EncodingArena& arena)
        : AbstractEncodingNode(std::move(codingPath), std::move(userInfo), false, arena) {}

    const CodingPath& codingPath() const override { return AbstractNode::codingPath(); }
    const UserInfo& userInfo() const override { return AbstractNode::userInfo(); }

    // The chosen case's field number and the container of its value. Throws noContainersAccessed
    // when the enumeration opened no keyed container, no case, or a case without a value.
    std::pair<IntKeyWrapper, std::shared_ptr<EncodingContainer>> chosenCase() const;

protected:
    std::shared_ptr<KeyedEncodingContainerBox> makeKeyedContainer(const KeySet& keys) override;
    std::shared_ptr<UnkeyedEncodingContainerBox> makeUnkeyedContainer() override;
    std::shared_ptr<SingleValueEncodingContainerBox> makeSingleValueContainer() override;

private:
    std::shared_ptr<OneOfKeyedEncoder> container_;
};

} // namespace coding
