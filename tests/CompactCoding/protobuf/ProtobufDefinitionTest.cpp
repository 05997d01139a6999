#include "ProtobufTestRecords.h"

#include "CompactCoding/protobuf/KeyedProtoEncoder.h"
#include "CompactCoding/protobuf/ProtobufDefinition.h"
#include "CompactCoding/protobuf/UnkeyedProtoEncoder.h"
#include "CompactCoding/protobuf/ProtobufEncodingError.h"

#include <gtest/gtest.h>

namespace {

using namespace prototest;
using coding::ProtobufDefinition;
using coding::ProtobufEncodingError;
using coding::ProtoNode;
using Kind = ProtobufEncodingError::Kind;

// The walk's tree for `value`.
template <class T>
std::shared_ptr<ProtoNode> walk(const T& value) {
    const auto item = coding::makeEncodeItem(value);
    auto root = std::make_shared<ProtoNode>(std::string(item.typeName), coding::CodingPath{},
                                            std::make_shared<const coding::UserInfo>(), item.isMap);
    item.encode(*root);
    return root;
}

template <class T>
ProtobufEncodingError walkError(const T& value) {
    try {
        ProtobufDefinition::of(value);
    } catch (const ProtobufEncodingError& error) {
        return error;
    }
    ADD_FAILURE() << "no error";
    return ProtobufEncodingError(Kind::noValueInSingleValueContainer);
}

// A record whose encode runs `write` against its encoder.
struct Writes {
    std::function<void(coding::Encoder&)> write;
    void encode(coding::Encoder& encoder) const { write(encoder); }
};

const CodingKey keyA{"a", 1}, keyB{"b", 2};
const KeySet keysAB{keyA, keyB};

struct Shelf {
    std::optional<std::int64_t> id;
    std::vector<Inner> items;
    std::map<std::int64_t, std::string> labels;
    std::int32_t size = 0;

    static inline const CodingKey keyId{"id", 1}, keyItems{"items", 2}, keyLabels{"labels", 3}, keyBox{"box", 4},
        keySize{"size", 1};
    static inline const KeySet keys{keyId, keyItems, keyLabels, keyBox}, boxKeys{keySize};

    void encode(coding::Encoder& encoder) const {
        auto c = encoder.container(keys);
        c.encodeIfPresent(id, keyId);
        c.encode(items, keyItems);
        c.encode(labels, keyLabels);
        c.nestedContainer(boxKeys, keyBox).encode(size, keySize);
    }
};

TEST(ProtobufDefinition, TypeNamesFollowTheBytesWritten) {
    struct Case {
        std::shared_ptr<ProtoNode> node;
        const char* name;
    };
    const Case cases[] = {
        {walk(std::int64_t{0}), "int64"},
        {walk(std::int32_t{0}), "int32"},
        {walk(coding::SignedValue<std::int64_t>(0)), "sint64"},
        {walk(coding::FixedSize<std::uint32_t>(0)), "fixed32"},
        {walk(coding::Data{}), "bytes"},
        {walk(std::string()), "string"},
        {walk(Inner{}), "Inner"},
        {walk(std::vector<std::int64_t>{1}), "repeated int64"},
        {walk(std::vector<Inner>{Inner{}}), "repeated Inner"},
        {walk(std::vector<std::int64_t>{}), "repeated "},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.node->protoTypeName(), c.name);
}

TEST(ProtobufDefinition, MisuseIsRecordedAndTheWalkGoesOn) {
    const auto mixed = walk(Writes{[](coding::Encoder& e) {
        auto list = e.unkeyedContainer();
        list.encode(std::int64_t{1});
        list.encode(std::string("x"));
    }});
    EXPECT_EQ(mixed->protoTypeName(), "repeated int64");
    EXPECT_EQ(dynamic_cast<const coding::UnkeyedProtoEncoder&>(*mixed->container()).content().size(), 2u);
    EXPECT_EQ(dynamic_cast<const coding::AbstractProtoNode&>(*mixed->container()).encodingError(),
              ProtobufEncodingError(Kind::multipleTypesInUnkeyedContainer));

    const auto twoContainers = walk(Writes{[](coding::Encoder& e) {
        e.container(keysAB);
        e.unkeyedContainer().encode(std::int64_t{1});
    }});
    EXPECT_NE(dynamic_cast<const coding::KeyedProtoEncoder*>(twoContainers->container().get()), nullptr);
    EXPECT_EQ(twoContainers->encodingError(), ProtobufEncodingError(Kind::multipleContainersAccessed));

    const auto twoValues = walk(Writes{[](coding::Encoder& e) {
        auto value = e.singleValueContainer();
        value.encode(std::int64_t{1});
        value.encode(std::string("x"));
    }});
    EXPECT_EQ(twoValues->protoTypeName(), "int64");
    EXPECT_EQ(dynamic_cast<const coding::AbstractProtoNode&>(*twoValues->container()).encodingError(),
              ProtobufEncodingError(Kind::multipleValuesInSingleValueContainer));
    EXPECT_EQ(walkError(Writes{[](coding::Encoder& e) { e.container(keysAB).nestedContainer(keysAB, keyA).encode(
                  Writes{[](coding::Encoder& inner) {
                      inner.singleValueContainer();
                      inner.singleValueContainer();
                  }},
                  keyA); }}),
              ProtobufEncodingError(Kind::multipleContainersAccessed));
}

TEST(ProtobufDefinition, RefusesWhatProtobufCannotCarry) {
    EXPECT_EQ(walkError(Field<1, std::int8_t>{}), ProtobufEncodingError(Kind::unsupportedType, "Int8"));
    EXPECT_EQ(walkError(Field<1, Choice>{}), ProtobufEncodingError(Kind::unsupportedType, "Oneof definition"));
    EXPECT_EQ(walkError(Writes{[](coding::Encoder& e) { e.container(keysAB).encodeNil(keyA); }}),
              ProtobufEncodingError(Kind::nilValuesNotSupported));
    EXPECT_EQ(walkError(std::vector<Inner>{}), ProtobufEncodingError(Kind::rootIsNotKeyedContainer));
    EXPECT_EQ(walkError(Writes{[](coding::Encoder&) {}}), ProtobufEncodingError(Kind::noContainersAccessed));
    EXPECT_EQ(walkError(Field<1, std::vector<std::int64_t>>{}).kind(), Kind::protobufDefinitionUnavailable);
    EXPECT_EQ(walkError(Field<1, std::vector<std::vector<std::int64_t>>>{{{1}}}).kind(),
              Kind::protobufDefinitionUnavailable);
    EXPECT_EQ(walkError(Field<1, std::map<double, bool>>{{{1.0, true}}}).kind(), Kind::protobufDefinitionUnavailable);
    EXPECT_EQ(walkError(Writes{[](coding::Encoder& e) { e.container(keysAB).encode(true, CodingKey("noNumber")); }})
                  .kind(),
              Kind::protobufDefinitionUnavailable);
}

TEST(ProtobufDefinition, RendersADefinitionOfEveryMessageUsed) {
    const Shelf shelf{std::nullopt, {Inner{}}, {{1, "one"}}, 3};
    EXPECT_EQ(ProtobufDefinition::of(shelf), R"(syntax = "proto3";

message Shelf {
  repeated Inner items = 2;
  map<int64, string> labels = 3;
  Shelf_box box = 4;
}

message Inner {
  int64 number = 1;
  string text = 2;
}

message Shelf_box {
  int32 size = 1;
}
)");
    // A field written with encodeIfPresent is optional; absent, it is not described.
    Shelf withId = shelf;
    withId.id = 0;
    EXPECT_NE(ProtobufDefinition::of(withId).find("  optional int64 id = 1;\n"), std::string::npos);
    // Dictionary keys without numbers are told apart by their texts.
    EXPECT_NE(ProtobufDefinition::of(Field<1, std::map<std::string, bool>>{{{"a", true}, {"b", false}}})
                  .find("map<string, bool> value = 1;"),
              std::string::npos);
}

TEST(ProtobufDefinition, MergesWhatEveryInstanceOfAMessageWrites) {
    // The first shelf leaves out its id and has no items or labels; the others give them.
    using Shelves = Field<1, std::vector<Shelf>>;
    const Shelves shelves{{Shelf{}, Shelf{7, {}, {{1, "one"}}, 0}, Shelf{std::nullopt, {Inner{}}, {}, 3}}};
    using ShelvesByNumber = Field<1, std::map<std::int64_t, Shelf>>;
    const ShelvesByNumber byNumber{{{1, shelves.value[0]}, {2, shelves.value[1]}, {3, shelves.value[2]}}};
    for (const std::string& proto : {ProtobufDefinition::of(shelves), ProtobufDefinition::of(byNumber)})
        EXPECT_NE(proto.find(R"(message Shelf {
  optional int64 id = 1;
  repeated Inner items = 2;
  map<int64, string> labels = 3;
  Shelf_box box = 4;
})"),
                  std::string::npos)
            << proto;
    // An empty list is a failure only when no instance gives its element type.
    EXPECT_EQ(walkError(Shelves{{Shelf{}, Shelf{7, {}, {{1, "one"}}, 0}}}).kind(), Kind::protobufDefinitionUnavailable);
    EXPECT_EQ(walkError(Shelves{{Shelf{std::nullopt, {Inner{}}, {}, 3}}}).kind(), Kind::protobufDefinitionUnavailable);
}

TEST(ProtobufDefinitionDeathTest, AKeyWrittenTwiceOrASuperEncoderStopsTheProgram) {
    EXPECT_DEATH(walk(Writes{[](coding::Encoder& e) {
                     auto c = e.container(keysAB);
                     c.encode(true, keyA);
                     c.encode(false, keyA);
                 }}),
                 "KeyedProtoEncoder.*Multiple values encoded for key a \\(1\\)");
    EXPECT_DEATH(walk(Writes{[](coding::Encoder& e) { e.container(keysAB).superEncoder(); }}),
                 "Protobuf compatibility does not support encoding super");
}

} // namespace
