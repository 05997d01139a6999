// The protobuf-compatible coders against libprotobuf's generated code for the same definition
// (interop.proto): the same bytes for the same values, each side reading the other's bytes back,
// and the type-description walk's definition accepted by protoc and decoding our bytes.

#include "protobuf/ProtobufTestRecords.h"
#include "interop.pb.h"

#include "CompactCoding/protobuf/ProtobufDefinition.h"

#include <google/protobuf/io/coded_stream.h>
#include <google/protobuf/io/zero_copy_stream_impl_lite.h>
#include <google/protobuf/text_format.h>
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

// Map entries in key order, as our coders write them.
std::string libprotobufBytes(const google::protobuf::Message& message) {
    std::string out;
    google::protobuf::io::StringOutputStream stream(&out);
    google::protobuf::io::CodedOutputStream coded(&stream);
    coded.SetSerializationDeterministic(true);
    message.SerializeToCodedStream(&coded);
    coded.Trim();
    return out;
}

Bytes asBytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

interop::Inner toProto(const Inner& inner) {
    interop::Inner message;
    message.set_number(inner.number);
    message.set_text(inner.text);
    return message;
}

// A nested message is set only when it has something to write: protobuf writes a set message
// even when it is empty, and our record has no notion of an unset one.
void setInner(interop::Inner* target, const Inner& inner) { *target = toProto(inner); }

interop::Everything toProto(const Everything& e) {
    interop::Everything m;
    m.set_flag(e.flag);
    m.set_int32(e.int32);
    m.set_int64(e.int64);
    m.set_uint32(e.uint32);
    m.set_uint64(e.uint64);
    m.set_real32(e.real32);
    m.set_real64(e.real64);
    m.set_text(e.text);
    m.set_blob(std::string(e.blob.view()));
    m.set_sfixed32(e.sfixed32.wrappedValue);
    m.set_sfixed64(e.sfixed64.wrappedValue);
    m.set_fixed32(e.fixed32.wrappedValue);
    m.set_fixed64(e.fixed64.wrappedValue);
    m.set_sint32(e.sint32.wrappedValue);
    m.set_sint64(e.sint64.wrappedValue);
    if (e.inner != Inner{})
        setInner(m.mutable_inner(), e.inner);
    for (const auto number : e.numbers)
        m.add_numbers(number);
    for (const auto& text : e.texts)
        m.add_texts(text);
    for (const auto& inner : e.inners)
        setInner(m.add_inners(), inner);
    for (const auto& [name, number] : e.byName)
        (*m.mutable_byname())[name] = number;
    for (const auto& [number, inner] : e.byNumber)
        (*m.mutable_bynumber())[number] = toProto(inner);
    if (e.maybe)
        m.set_maybe(*e.maybe);
    return m;
}

interop::Choosing toProto(const Choosing& c) {
    interop::Choosing m;
    m.set_id(c.id);
    if (!c.choice)
        return m;
    if (const auto* number = std::get_if<std::int64_t>(&c.choice->value))
        m.set_number(*number);
    else if (const auto* text = std::get_if<std::string>(&c.choice->value))
        m.set_text(*text);
    else
        setInner(m.mutable_inner(), std::get<Inner>(c.choice->value));
    return m;
}

// The unpacked message's numbers, each list under its own field.
struct Unpacked {
    std::vector<std::int64_t> numbers;
    std::vector<double> reals;
    std::vector<bool> flags;

    static inline const CodingKey keyNumbers{"numbers", 1}, keyReals{"reals", 2}, keyFlags{"flags", 3};
    static inline const KeySet keys{keyNumbers, keyReals, keyFlags};

    void encode(coding::Encoder& encoder) const {
        auto c = encoder.container(keys);
        c.encode(numbers, keyNumbers);
        c.encode(reals, keyReals);
        c.encode(flags, keyFlags);
    }
    static Unpacked decode(coding::Decoder& decoder) {
        auto c = decoder.container(keys);
        return Unpacked{c.decode<std::vector<std::int64_t>>(keyNumbers), c.decode<std::vector<double>>(keyReals),
                        c.decode<std::vector<bool>>(keyFlags)};
    }
    friend bool operator==(const Unpacked&, const Unpacked&) = default;
};

interop::Unpacked toProto(const Unpacked& u) {
    interop::Unpacked m;
    for (const auto number : u.numbers)
        m.add_numbers(number);
    for (const auto real : u.reals)
        m.add_reals(real);
    for (const bool flag : u.flags)
        m.add_flags(flag);
    return m;
}

// Everythings in a list and in a map.
struct Everythings {
    std::vector<Everything> items;
    std::map<std::int64_t, Everything> byNumber;

    static inline const CodingKey keyItems{"items", 1}, keyByNumber{"byNumber", 2};
    static inline const KeySet keys{keyItems, keyByNumber};

    void encode(coding::Encoder& encoder) const {
        auto c = encoder.container(keys);
        c.encode(items, keyItems);
        c.encode(byNumber, keyByNumber);
    }
};

interop::Everythings toProto(const Everythings& e) {
    interop::Everythings m;
    for (const auto& item : e.items)
        *m.add_items() = toProto(item);
    for (const auto& [number, item] : e.byNumber)
        (*m.mutable_bynumber())[number] = toProto(item);
    return m;
}

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
