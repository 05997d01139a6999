#include "CompactCoding/protobuf/OneOfKeyedDecoder.h"

#include "CompactCoding/protobuf/OneOfAssociatedValuesDecoder.h"
#include "CompactCoding/protobuf/ProtoDecodeValue.h"
#include "CompactCoding/protobuf/ProtoKeyedDecoder.h"
#include "CompactCoding/protobuf/ProtobufDecodingError.h"

#include <string>

namespace coding {

namespace {

ProtobufDecodingError refused(const char* call) {
    return ProtobufDecodingError(ProtobufDecodingError::Kind::invalidAccess,
                                 std::string("Unexpected call to `") + call +
                                     "` while decoding `ProtobufOneOf` enum");
}

} // namespace

OneOfKeyedDecoder::OneOfKeyedDecoder(const ProtoKeyedDecoder& message, const OneOfRuns& runs, std::size_t run,
                                     ProtoDecodeCall& call, std::uint32_t depth, bool isLasting)
    : AbstractProtoDecodingNode(call, depth), message_(&message), runs_(&runs), run_(run), isLasting_(isLasting) {}

std::vector<CodingKey> OneOfKeyedDecoder::allKeys() const {
    const auto runs = runs_->runs();
    if (runs.empty())
        return {};
    const CodingKey* shown = runs[run_].key;
    const auto cases = runs_->cases();
    if (run_ + 1 != runs.size() || cases.size() == 1)
        return {*shown};
    std::vector<CodingKey> keys;
    keys.reserve(cases.size());
    keys.push_back(*shown);
    for (const CodingKey* key : cases)
        if (key != shown)
            keys.push_back(*key);
    return keys;
}

bool OneOfKeyedDecoder::contains(const CodingKey& key) const { return message_->contains(key); }

bool OneOfKeyedDecoder::decodeNil(const CodingKey&) { throw refused("decodeNil(forKey:)"); }

void OneOfKeyedDecoder::decode(DecodeItem&, const CodingKey&) { throw refused("decode(_,forKey)"); }

std::shared_ptr<KeyedDecodingContainerBox> OneOfKeyedDecoder::nestedContainer(const KeySet& keys,
                                                                              const CodingKey& key) {
    const auto runs = runs_->runs();
    std::span<const ProtoOccurrence> occurrences;
    // A case is its field: keys of one number name it alike.
    const auto isCase = [&](const OneOfRuns::Run& run) { return key.intValue && run.key->intValue == key.intValue; };
    if (!runs.empty() && isCase(runs[run_])) {
        occurrences = runs[run_].occurrences;
    } else {
        for (const OneOfRuns::Run& run : runs)
            if (isCase(run))
                occurrences = run.occurrences;
    }
    if (!isLasting_ || firstCase_)
        return OneOfAssociatedValuesDecoder::make(occurrences, keys, call(), depth() + 1);
    firstCase_.emplace(occurrences, keys, call(), depth() + 1);
    return {std::shared_ptr<void>(), &*firstCase_};
}

std::shared_ptr<UnkeyedDecodingContainerBox> OneOfKeyedDecoder::nestedUnkeyedContainer(const CodingKey&) {
    throw refused("nestedUnkeyedContainer(forKey:)");
}

std::shared_ptr<Decoder> OneOfKeyedDecoder::superDecoder() { throw refused("superDecoder()"); }

std::shared_ptr<Decoder> OneOfKeyedDecoder::superDecoder(const CodingKey&) { throw refused("superDecoder(forKey:)"); }

} // namespace coding
