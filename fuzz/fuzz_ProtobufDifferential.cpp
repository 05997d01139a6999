// Arbitrary bytes decoded by our protobuf-compatible decoder and by libprotobuf, as the same message
// of the interop tests' definition: the first byte chooses the message, the rest is its bytes. The
// two must accept and refuse alike, except where we are stricter by design (ProtobufStrictness: our
// refusal must then be of the same kind and at the same place as one of those) and where our record
// refuses a value its type cannot hold where libprotobuf read it (a zero among Positives), and what
// both accept must be the same value. Besides records with static keys, it reads records that make
// their keys in decode, share one key set between two records, and read a field as numbers or texts
// by another field. A disagreement, a crash, a hang or a sanitizer report is a
// finding.

#include "FuzzCheck.h"
#include "ProtobufStrictness.h"
#include "CompactCoding/protobuf/ProtobufDecodingError.h"
#include "CompactCoding/protobuf/ProtobufEncodingError.h"
#include "coding/DecodingError.h"
#include "protobuf/interop/InteropMessages.h"

#include <google/protobuf/stubs/logging.h>
#include <google/protobuf/unknown_field_set.h>

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
void clearEmptyMessages(interop::SharedTrees& message) {
    if (message.has_numbers() && message.numbers().ByteSizeLong() == 0)
        message.clear_numbers();
    if (message.has_texts() && message.texts().ByteSizeLong() == 0)
        message.clear_texts();
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

// Whether libprotobuf read a zero into `message` where our record refused a Positive: at `path`,
// the fields and element indices our records put in front of their errors. A field without an
// index (a list read by the library's std::vector) stands for any of its elements.
bool holdsZeroAt(const google::protobuf::Message& message, std::span<const std::string> path) {
    if (path.empty())
        return false;
    const google::protobuf::FieldDescriptor* field = message.GetDescriptor()->FindFieldByName(path[0]);
    if (!field || (!field->is_repeated() && field->cpp_type() != google::protobuf::FieldDescriptor::CPPTYPE_MESSAGE))
        return false;
    const google::protobuf::Reflection& reflection = *message.GetReflection();
    std::optional<int> index;
    if (path.size() > 1 && path[1].rfind("Index ", 0) == 0)
        index = std::stoi(path[1].substr(6));
    const auto rest = path.subspan(index ? 2 : 1);
    if (!field->is_repeated())
        return holdsZeroAt(reflection.GetMessage(message, field), rest);
    const int size = reflection.FieldSize(message, field);
    for (int i = index.value_or(0); i < (index ? std::min(*index + 1, size) : size); ++i) {
        if (field->cpp_type() == google::protobuf::FieldDescriptor::CPPTYPE_MESSAGE) {
            if (holdsZeroAt(reflection.GetRepeatedMessage(message, field, i), rest))
                return true;
        } else if (field->cpp_type() == google::protobuf::FieldDescriptor::CPPTYPE_INT64 && rest.empty() &&
                   reflection.GetRepeatedInt64(message, field, i) == 0) {
            return true;
        }
    }
    return false;
}

// Whether the record refused, by its own type, a value that libprotobuf read: a Positive refuses a
// zero, and libprotobuf must hold one where we refused it.
bool refusedByTheRecord(const protofuzz::Refusal& ours, const google::protobuf::Message& theirs) {
    return ours.what == "Cannot initialize Positive from invalid Int value 0" && holdsZeroAt(theirs, ours.path);
}

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

template <class Record, class Message, class ToProto>
void compare(std::span<const std::uint8_t> bytes, ToProto&& toProto) {
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

template <class Record, class Message>
void compare(std::span<const std::uint8_t> bytes) {
    compare<Record, Message>(bytes, [](const Record& record) { return toProto(record); });
}

// A Switch reads its list as numbers or texts by its field 3: libprotobuf's reading of that field
// chooses the message it is compared with.
void compareSwitch(std::span<const std::uint8_t> bytes) {
    google::protobuf::UnknownFieldSet fields;
    bool asTexts = false;
    if (fields.ParseFromArray(bytes.data(), static_cast<int>(bytes.size())))
        for (int i = 0; i < fields.field_count(); ++i)
            if (fields.field(i).number() == 3 && fields.field(i).type() == google::protobuf::UnknownField::TYPE_VARINT)
                asTexts = fields.field(i).varint() != 0;
    if (asTexts)
        compare<Switch, interop::SwitchTexts>(bytes, toSwitchTexts);
    else
        compare<Switch, interop::SwitchNumbers>(bytes, toSwitchNumbers);
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
    switch (data[0] % 10) {
    case 0: compare<Everything, interop::Everything>(bytes); break;
    case 1: compare<Choosing, interop::Choosing>(bytes); break;
    case 2: compare<Unpacked, interop::Unpacked>(bytes); break;
    case 3: compare<Everythings, interop::Everythings>(bytes); break;
    case 5: compare<Branch, interop::Branch>(bytes); break;
    case 6: compare<Positives, interop::Positives>(bytes); break;
    case 7: compare<Tree<Way::keysInDecode, Positive>, interop::PositiveTree>(bytes); break;
    case 8: compare<SharedTrees, interop::SharedTrees>(bytes); break;
    case 9: compareSwitch(bytes); break;
    default: compare<Inner, interop::Inner>(bytes); break;
    }
    return 0;
}
