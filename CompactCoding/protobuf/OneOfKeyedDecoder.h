#pragma once

#include "CompactCoding/protobuf/AbstractProtoDecodingNode.h"
#include "CompactCoding/RecycledBlocks.h"
#include "CompactCoding/protobuf/OneOfAssociatedValuesDecoder.h"
#include "CompactCoding/protobuf/OneOfRuns.h"
#include "coding/KeyedDecodingContainer.h"

#include <cstddef>
#include <optional>

namespace coding {

class ProtoKeyedDecoder;

// The outer of a oneof's two keyed containers when reading (the enumeration's, naming its
// cases); the inner one, of a case and holding its value, is OneOfAssociatedValuesDecoder.
//
// A oneof's keyed container over the enclosing message's fields: allKeys names the cases that are
// present, the case of the run shown first (the one written last, unless a replaced run is
// shown: then it alone), and the nested container of a case reads its value, from the run shown
// or else from the case's last run. Values, nils and everything else are refused with the
// ProtobufDecodingError invalidAccess.
class OneOfKeyedDecoder final : public KeyedDecodingContainerBox, public AbstractProtoDecodingNode {
public:
    // `runs`, read, and `message` outlive the container, as the enumeration reads itself inside the
    // call that made its node; the runs are never changed while a container shows them. `run`
    // numbers the run shown. `isLasting`: the container stays for as long as the enumeration reads
    // itself (its node holds it), and so may hold the container of the first case asked for itself.
    OneOfKeyedDecoder(const ProtoKeyedDecoder& message, const OneOfRuns& runs, std::size_t run, ProtoDecodeCall& call,
                      std::uint32_t depth, bool isLasting = false);

    // One is made for every oneof read: its block is reused, not allocated each time.
    template <class... Arguments>
    static std::shared_ptr<OneOfKeyedDecoder> make(Arguments&&... arguments) {
        return std::allocate_shared<OneOfKeyedDecoder>(RecycledBlocks<OneOfKeyedDecoder>{},
                                                       std::forward<Arguments>(arguments)...);
    }

    const CodingPath& codingPath() const override { return AbstractNode::codingPath(); }
    std::vector<CodingKey> allKeys() const override;
    bool contains(const CodingKey& key) const override;
    bool decodeNil(const CodingKey& key) override;
    void decode(DecodeItem& item, const CodingKey& key) override;
    std::shared_ptr<KeyedDecodingContainerBox> nestedContainer(const KeySet& keys, const CodingKey& key) override;
    std::shared_ptr<UnkeyedDecodingContainerBox> nestedUnkeyedContainer(const CodingKey& key) override;
    std::shared_ptr<Decoder> superDecoder() override;
    std::shared_ptr<Decoder> superDecoder(const CodingKey& key) override;

private:
    const ProtoKeyedDecoder* message_;
    const OneOfRuns* runs_;
    std::size_t run_; // of the runs, when there are any
    bool isLasting_;
    std::optional<OneOfAssociatedValuesDecoder> firstCase_;
};

} // namespace coding
