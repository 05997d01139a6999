// The protobuf-compatible coders against libprotobuf's generated code for the same definition
// (interop.proto): the same bytes for the same values, each side reading the other's bytes back,
// and the type-description walk's definition accepted by protoc and decoding our bytes.

#include "protobuf/ProtobufTestRecords.h"
#include "protobuf/interop/InteropMessages.h"

#include "CompactCoding/protobuf/ProtobufDefinition.h"
#include "coding/DecodingError.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>

namespace {

using namespace prototest;
using namespace interoptest;

Bytes asBytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

// The edges of every kind.
Everything extremes() {
    Everything e;
    e.int32 = std::numeric_limits<std::int32_t>::min();
    e.int64 = std::numeric_limits<std::int64_t>::min();
    e.uint32 = std::numeric_limits<std::uint32_t>::max();
    e.uint64 = std::numeric_limits<std::uint64_t>::max();
    e.real32 = -std::numeric_limits<float>::infinity();
    e.real64 = std::numeric_limits<double>::denorm_min();
    e.text = std::string(300, 'x');
    e.sfixed32 = std::numeric_limits<std::int32_t>::min();
    e.sfixed64 = std::numeric_limits<std::int64_t>::max();
    e.fixed32 = std::numeric_limits<std::uint32_t>::max();
    e.fixed64 = std::numeric_limits<std::uint64_t>::max();
    e.sint32 = std::numeric_limits<std::int32_t>::max();
    e.sint64 = std::numeric_limits<std::int64_t>::min();
    e.numbers = {std::numeric_limits<std::int64_t>::min(), std::numeric_limits<std::int64_t>::max()};
    e.texts = {""};
    e.inners = {Inner{}};
    e.byName = {{"", 0}};
    e.byNumber = {{std::numeric_limits<std::int64_t>::min(), Inner{}}};
    e.maybe = std::numeric_limits<std::int64_t>::max();
    return e;
}

const std::vector<Everything> everythings{Everything{}, everything(), extremes()};
const std::vector<Choosing> choosings{Choosing{},
                                      Choosing{7, Choice{std::int64_t{0}}},
                                      Choosing{-7, Choice{std::int64_t{-1}}},
                                      Choosing{0, Choice{std::string("")}},
                                      Choosing{1, Choice{std::string("선택")}},
                                      Choosing{2, Choice{Inner{}}},
                                      Choosing{3, Choice{Inner{5, "five"}}}};
const std::vector<Unpacked> unpackeds{Unpacked{}, Unpacked{{0, -1, 300}, {0.0, -2.5}, {true, false, true}}};

TEST(ProtobufInterop, OurBytesAreLibprotobufsForTheSameValues) {
    for (std::size_t i = 0; i < everythings.size(); ++i)
        EXPECT_EQ(encoded(everythings[i]), asBytes(libprotobufBytes(toProto(everythings[i])))) << "everything " << i;
    for (std::size_t i = 0; i < choosings.size(); ++i)
        EXPECT_EQ(encoded(choosings[i]), asBytes(libprotobufBytes(toProto(choosings[i])))) << "choosing " << i;
}

TEST(ProtobufInterop, WeReadLibprotobufsBytesBackToEqualRecords) {
    for (const auto& value : everythings)
        EXPECT_EQ(decoded<Everything>(asBytes(libprotobufBytes(toProto(value)))), value);
    for (const auto& value : choosings)
        EXPECT_EQ(decoded<Choosing>(asBytes(libprotobufBytes(toProto(value)))), value);
    for (const auto& value : unpackeds)
        EXPECT_EQ(decoded<Unpacked>(asBytes(libprotobufBytes(toProto(value)))), value);
}

TEST(ProtobufInterop, LibprotobufReadsOurBytesBackToEqualMessages) {
    // Our numbers go packed; libprotobuf reads packed and unpacked alike.
    for (const auto& value : unpackeds) {
        const Bytes ours = encoded(value);
        interop::Unpacked message;
        ASSERT_TRUE(message.ParseFromArray(ours.data(), static_cast<int>(ours.size())));
        EXPECT_EQ(libprotobufBytes(message), libprotobufBytes(toProto(value)));
    }
    for (const auto& value : everythings) {
        const Bytes ours = encoded(value);
        interop::Everything message;
        ASSERT_TRUE(message.ParseFromArray(ours.data(), static_cast<int>(ours.size())));
        EXPECT_EQ(message.DebugString(), toProto(value).DebugString());
    }
}

// protoc's reading of `bytes` by the definition `proto` (message `name`), in text format.
std::string protocDecode(const std::string& proto, const std::string& name, const Bytes& bytes) {
    const auto folder = std::filesystem::temp_directory_path() / ("walk-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "walk.proto") << proto;
    std::ofstream(folder / "input", std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    const std::string command = std::string(LUMENSCROLL_PROTOC) + " --decode=" + name + " --proto_path=" +
                                folder.string() + " " + (folder / "walk.proto").string() + " < " +
                                (folder / "input").string() + " > " + (folder / "output").string() + " 2>&1";
    const int status = std::system(command.c_str());
    std::stringstream output;
    output << std::ifstream(folder / "output").rdbuf();
    std::filesystem::remove_all(folder);
    EXPECT_EQ(status, 0) << output.str() << "\n" << proto;
    return output.str();
}

// libprotobuf reads 100 messages within the root and refuses the 101st; so do we, with records of
// defaults below the deepest, for fields the data leaves out, or without.
TEST(ProtobufInterop, WeReadAsDeeplyNestedMessagesAsLibprotobuf) {
    const Bytes emptyFields = bytes({0x0A, 0x00});
    const Bytes emptyInner = bytes({0x0A, 0x03, 0x82, 0x01, 0x00});
    const struct {
        Bytes input;
        bool accepted;
    } cases[] = {
        {nestedBranches(99), true},
        {nestedBranches(100), true},
        {nestedBranches(101), false},
        {nestedBranches(99, emptyFields), true},
        {nestedBranches(100, emptyFields), false},
        {nestedBranches(98, emptyInner), true},
        {nestedBranches(99, emptyInner), false},
    };
    for (const auto& [input, accepted] : cases) {
        interop::Branch theirs;
        EXPECT_EQ(theirs.ParseFromArray(input.data(), static_cast<int>(input.size())), accepted) << input.size();
        bool weAccept = true;
        try {
            const Branch ours = decoded<Branch>(input);
            int levels = 0;
            for (const Branch* branch = &ours; !branch->children.empty(); branch = &branch->children.front())
                ++levels;
            int theirLevels = 0;
            for (const interop::Branch* branch = &theirs; branch->children_size() != 0; branch = &branch->children(0))
                ++theirLevels;
            EXPECT_EQ(levels, theirLevels) << input.size();
        } catch (const coding::DecodingError& error) {
            weAccept = false;
            EXPECT_EQ(error.debugDescription(), "Nesting too deep");
        }
        EXPECT_EQ(weAccept, accepted) << input.size();
    }
}

TEST(ProtobufInterop, TheWalksDefinitionIsAcceptedByProtocAndDecodesOurBytes) {
    for (const Everything& value : {everything(), extremes()}) {
        const std::string proto = coding::ProtobufDefinition::of(value);
        EXPECT_EQ(protocDecode(proto, "Everything", encoded(value)), toProto(value).DebugString()) << proto;
    }
    // The first of each holds no list, map or optional value: the others give their types.
    const Everythings several{{Everything{}, everything(), extremes()}, {{1, Everything{}}, {2, everything()}}};
    const std::string proto = coding::ProtobufDefinition::of(several);
    EXPECT_EQ(protocDecode(proto, "Everythings", encoded(several)), toProto(several).DebugString()) << proto;
}

} // namespace
