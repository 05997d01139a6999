// Arbitrary bytes decoded by our protobuf-compatible decoder and by libprotobuf, as the same message
// of the interop tests' definition: the first byte chooses the message, the rest is its bytes. The
// two must accept and refuse alike, except where we are stricter by design (ProtobufStrictness: our
// refusal must then be of the same kind and at the same place as one of those) and where our record
// refuses a value its type cannot hold that libprotobuf read (a zero among Positives), and what both
// accept must be the same value. A disagreement, a crash, a hang or a sanitizer report is a
// finding.

#include "FuzzCheck.h"
#include "ProtobufStrictness.h"
#include "CompactCoding/protobuf/ProtobufDecodingError.h"
#include "CompactCoding/protobuf/ProtobufEncodingError.h"
#include "coding/DecodingError.h"
#include "protobuf/interop/InteropMessages.h"

#include <google/protobuf/stubs/logging.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace {

using namespace interoptest;

// A message set in libprotobuf's but left out of ours, which has no notion of an unset nested
// record, holds nothing: it is cleared before the two are compared. A oneof's case keeps its presence.
void clearEmptyMessages(interop::Everything& message) {
    if (message.has_inner() && message.inner().ByteSizeLong() == 0)
        message.clear_inner();
}
void clearEmptyMessages(interop::Everythings& message) {
    for (interop::Everything& item : *message.mutable_items())
        clearEmptyMessages(item);
    for (auto& [number, item] : *message.mutable_bynumber())
        clearEmptyMessages(item);
}
void clearEmptyMessages(interop::Branch& message) {
    if (message.has_fields()) {
        clearEmptyMessages(*message.mutable_fields());
        if (message.fields().ByteSizeLong() == 0)
            message.clear_fields();
    }
    for (interop::Branch& child : *message.mutable_children())
        clearEmptyMessages(child);
}
void clearEmptyMessages(google::protobuf::Message&) {}

// Our refusal as ProtobufStrictness describes those by design.
protofuzz::Refusal refusalOf(const coding::CodingError& error) {
    using protofuzz::Refusal;
    if (const auto* decoding = dynamic_cast<const coding::DecodingError*>(&error);
        decoding && decoding->kind() == coding::DecodingError::Kind::dataCorrupted) {
        std::vector<std::string> path;
        for (const coding::CodingKey& key : decoding->codingPath())
            path.push_back(key.stringValue);
        return Refusal::dataCorrupted(decoding->debugDescription(), std::move(path));
    }
    if (const auto* decoding = dynamic_cast<const coding::ProtobufDecodingError*>(&error);
        decoding && decoding->kind() == coding::ProtobufDecodingError::Kind::unexpectedDictionaryKey)
        return Refusal::unexpectedDictionaryKey();
    if (const auto* encoding = dynamic_cast<const coding::ProtobufEncodingError*>(&error);
        encoding && encoding->kind() == coding::ProtobufEncodingError::Kind::integerKeyOutOfRange)
        return Refusal::integerKeyOutOfRange(encoding->integer());
    return Refusal{error.what(), {}};
}

// Whether the record refuses, by its own type, a value that libprotobuf read into `message`: a
// Positive refuses a zero.
bool holdsZero(const interop::Positives& message) {
    const auto zero = [](const auto& numbers) { return std::find(numbers.begin(), numbers.end(), 0) != numbers.end(); };
    return zero(message.typed()) || zero(message.byhand()) ||
           std::any_of(message.children().begin(), message.children().end(),
                       [](const interop::Positives& child) { return holdsZero(child); });
}
bool refusedByTheRecord(const protofuzz::Refusal& ours, const interop::Positives& theirs) {
    return ours.what == "Cannot initialize Positive from invalid Int value 0" && holdsZero(theirs);
}
bool refusedByTheRecord(const protofuzz::Refusal&, const google::protobuf::Message&) { return false; }

bool isByDesign(const protofuzz::Refusal& ours, std::span<const std::uint8_t> bytes,
                const google::protobuf::Descriptor& message) {
    for (const protofuzz::Refusal& refusal : protofuzz::ProtobufStrictness::refusals(bytes, message))
        if (refusal == ours)
            return true;
    return false;
}

[[noreturn]] void disagree(const char* what, const std::string& ours, const std::string& theirs) {
    std::fprintf(stderr, "ours: %s\nlibprotobuf's: %s\n", ours.c_str(), theirs.c_str());
    fuzzing::fail(what);
}

template <class Record, class Message>
void compare(std::span<const std::uint8_t> bytes) {
    std::optional<Record> ours;
    std::string ourFault;
    std::optional<protofuzz::Refusal> ourRefusal;
    try {
        ours.emplace(coding::ProtobufDecoder().decode<Record>(bytes));
    } catch (const coding::CodingError& error) {
        ourFault = error.what();
        ourRefusal = refusalOf(error);
    }
    Message theirs;
    const bool theyAccept = theirs.ParseFromArray(bytes.data(), static_cast<int>(bytes.size()));
    if (!ours) {
        if (theyAccept && !isByDesign(*ourRefusal, bytes, *Message::descriptor()) &&
            !refusedByTheRecord(*ourRefusal, theirs))
            disagree("we refuse what libprotobuf accepts", ourFault, theirs.DebugString());
        return;
    }
    if (!theyAccept)
        disagree("we accept what libprotobuf refuses", toProto(*ours).DebugString(), "refused");
    theirs.DiscardUnknownFields();
    clearEmptyMessages(theirs);
    const Message mine = toProto(*ours);
    if (libprotobufBytes(mine) != libprotobufBytes(theirs))
        disagree("we read another value than libprotobuf", mine.DebugString(), theirs.DebugString());
}

} // namespace

// libprotobuf logs every refusal of a text that is not UTF-8; refusals are answers here.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    google::protobuf::SetLogHandler(nullptr);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::span<const std::uint8_t> bytes(data + 1, size - 1);
    switch (data[0] % 7) {
    case 0: compare<Everything, interop::Everything>(bytes); break;
    case 1: compare<Choosing, interop::Choosing>(bytes); break;
    case 2: compare<Unpacked, interop::Unpacked>(bytes); break;
    case 3: compare<Everythings, interop::Everythings>(bytes); break;
    case 5: compare<Branch, interop::Branch>(bytes); break;
    case 6: compare<Positives, interop::Positives>(bytes); break;
    default: compare<Inner, interop::Inner>(bytes); break;
    }
    return 0;
}
