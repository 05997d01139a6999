#include "JsonTestRecords.h"

#include <gmock/gmock.h>

namespace jsontest {
namespace {

using coding::DecodingError;
using coding::describePath;
using coding::JsonDecoder;
using coding::JsonEncoder;

// Writes through nested containers and a super encoder, and into them after later keys.
struct Shape {
    std::int64_t x = 0, y = 0;
    std::string label;
    std::vector<std::int64_t> sides;
    std::int64_t baseId = 0; // kept by the "superclass"

    static inline const CodingKey keyX{"x"}, keyY{"y"}, keyPosition{"position"}, keySides{"sides"},
        keyLabel{"label"};
    static inline const KeySet keys{keyPosition, keySides, keyLabel};
    static inline const KeySet positionKeys{keyX, keyY};

    void encode(Encoder& encoder) const {
        auto c = encoder.container(keys);
        auto position = c.nestedContainer(positionKeys, keyPosition);
        auto list = c.nestedUnkeyedContainer(keySides);
        auto base = c.superEncoder();
        c.encode(label, keyLabel);
        position.encode(x, keyX); // after "label" was written, yet inside "position"
        position.encode(y, keyY);
        for (auto side : sides)
            list.encode(side);
        base->singleValueContainer().encode(baseId);
    }
    static Shape decode(Decoder& decoder) {
        auto c = decoder.container(keys);
        auto position = c.nestedContainer(positionKeys, keyPosition);
        auto list = c.nestedUnkeyedContainer(keySides);
        Shape shape;
        shape.x = position.decode<std::int64_t>(keyX);
        shape.y = position.decode<std::int64_t>(keyY);
        while (!list.isAtEnd())
            shape.sides.push_back(list.decode<std::int64_t>());
        shape.label = c.decode<std::string>(keyLabel);
        shape.baseId = c.superDecoder()->singleValueContainer().decode<std::int64_t>();
        return shape;
    }
    friend bool operator==(const Shape&, const Shape&) = default;
};

TEST(JsonContainers, NestedContainersAndSuperEncoderKeepThePlaceTheyWereAskedFor) {
    const Shape shape{3, -4, "tri", {5, 6, 7}, 42};
    EXPECT_EQ(encodeToText(shape), R"({"position":{"x":3,"y":-4},"sides":[5,6,7],"super":42,"label":"tri"})");
    EXPECT_EQ(roundTrip(shape), shape);
}

TEST(JsonContainers, ErrorsInNestedContainersCarryTheirPath) {
    auto error = decodingError<Shape>(R"({"position":{"x":1,"y":"2"},"sides":[],"super":1,"label":""})");
    ASSERT_TRUE(error);
    EXPECT_EQ(describePath(error->codingPath()), "position.y");
    error = decodingError<Shape>(R"({"position":{"x":1,"y":2},"sides":[1,true],"super":1,"label":""})");
    ASSERT_TRUE(error);
    EXPECT_EQ(describePath(error->codingPath()), "sides.Index 1");
    error = decodingError<Shape>(R"({"position":[],"sides":[],"super":1,"label":""})");
    ASSERT_TRUE(error);
    EXPECT_EQ(error->kind(), DecodingError::Kind::typeMismatch);
    EXPECT_EQ(describePath(error->codingPath()), "position");
    // No "super" member: the super decoder reads null.
    error = decodingError<Shape>(R"({"position":{"x":1,"y":2},"sides":[],"label":""})");
    ASSERT_TRUE(error);
    EXPECT_EQ(error->kind(), DecodingError::Kind::valueNotFound);
    EXPECT_EQ(describePath(error->codingPath()), "super");
}

// Asks its encoder for the keyed container twice, and for one nested container twice.
struct TwiceAsked {
    static inline const CodingKey keyA{"a"}, keyB{"b"}, keyInner{"inner"}, keyList{"list"};
    static inline const KeySet keys{keyA, keyB, keyInner, keyList};

    void encode(Encoder& encoder) const {
        encoder.container(keys).encode(std::int64_t{1}, keyA);
        auto c = encoder.container(keys);
        c.encode(std::int64_t{2}, keyB);
        c.nestedContainer(keys, keyInner).encode(std::int64_t{3}, keyA);
        c.nestedContainer(keys, keyInner).encode(std::int64_t{4}, keyB);
        c.nestedUnkeyedContainer(keyList).encode(true);
        c.nestedUnkeyedContainer(keyList).encodeNil();
        c.encode(std::int64_t{5}, keyA); // overwrites, keeping the place
    }
};

TEST(JsonContainers, AskingAgainForAKeyedContainerMergesIntoIt) {
    EXPECT_EQ(encodeToText(TwiceAsked{}), R"({"a":5,"b":2,"inner":{"a":3,"b":4},"list":[true,null]})");
}

struct Derived {
    std::string name;
    Address base;

    static inline const CodingKey keyName{"name"}, keyParent{"parent"};
    static inline const KeySet keys{keyName, keyParent};

    void encode(Encoder& encoder) const {
        auto c = encoder.container(keys);
        c.encode(name, keyName);
        base.encode(*c.superEncoder(keyParent));
    }
    static Derived decode(Decoder& decoder) {
        auto c = decoder.container(keys);
        return Derived{c.decode<std::string>(keyName), Address::decode(*c.superDecoder(keyParent))};
    }
    friend bool operator==(const Derived&, const Derived&) = default;
};

TEST(JsonContainers, SuperEncoderForAKey) {
    const Derived derived{"d", {"Bern", std::nullopt}};
    EXPECT_EQ(encodeToText(derived), R"({"name":"d","parent":{"city":"Bern"}})");
    EXPECT_EQ(roundTrip(derived), derived);
    const auto error = decodingError<Derived>(R"({"name":"d","parent":{}})");
    ASSERT_TRUE(error);
    EXPECT_EQ(error->kind(), DecodingError::Kind::keyNotFound);
    EXPECT_EQ(describePath(error->codingPath()), "parent");
}

// A list whose elements are written through the unkeyed container's own nested containers.
struct Grid {
    static inline const CodingKey keyA{"a"};
    static inline const KeySet keys{keyA};

    void encode(Encoder& encoder) const {
        auto c = encoder.unkeyedContainer();
        c.nestedContainer(keys).encode(std::int64_t{1}, keyA);
        auto row = c.nestedUnkeyedContainer();
        auto base = c.superEncoder();
        c.encode(std::string("last"));
        row.encode(std::int64_t{2});
        base->unkeyedContainer().encode(false);
        EXPECT_EQ(c.count(), 4);
    }
};

TEST(JsonContainers, UnkeyedNestedContainersKeepTheirIndex) {
    EXPECT_EQ(encodeToText(Grid{}), R"([{"a":1},[2],[false],"last"])");
}

// Records what a record sees of its decoder while decoding.
struct Probe {
    std::vector<std::string> keys;
    std::string path;
    std::string version;

    static inline const CodingKey keyA{"a", 1}, keyB{"b", 2};
    static inline const KeySet known{keyA, keyB};

    void encode(Encoder& encoder) const {
        encoder.container(known).encode(std::any_cast<std::string>(encoder.userInfo().at("version")), keyA);
    }
    static Probe decode(Decoder& decoder) {
        auto c = decoder.container(known);
        Probe probe;
        for (const auto& key : c.allKeys())
            probe.keys.push_back(key.stringValue + "=" + std::to_string(key.intValue.value_or(-1)));
        probe.path = describePath(c.codingPath());
        probe.version = std::any_cast<std::string>(decoder.userInfo().at("version"));
        return probe;
    }
};

TEST(JsonContainers, AllKeysListsTheKnownKeysInTheOrderOfTheText) {
    JsonDecoder decoder;
    decoder.userInfo["version"] = std::string("7");
    const auto probes =
        decoder.decode<std::vector<Probe>>(R"([{}, {"b":0,"x":0,"a":0}, {"c":{"a":1}}, {"a":null}])");
    ASSERT_EQ(probes.size(), 4u);
    EXPECT_TRUE(probes[0].keys.empty());
    EXPECT_EQ(probes[1].keys, (std::vector<std::string>{"b=2", "a=1"}));
    EXPECT_TRUE(probes[2].keys.empty());
    EXPECT_EQ(probes[3].keys, (std::vector<std::string>{"a=1"}));
    // The path a record sees is its full path from the root, and user info reaches it.
    EXPECT_EQ(probes[1].path, "Index 1");
    EXPECT_EQ(probes[1].version, "7");

    JsonEncoder encoder;
    encoder.userInfo["version"] = std::string("8");
    EXPECT_EQ(text(encoder.encode(Field<Probe>{})), R"({"v":{"a":"8"}})");
}

TEST(JsonContainers, AnUnkeyedReadThatFailsDoesNotMoveOn) {
    struct Mixed {
        std::int64_t number = 0;
        std::optional<std::string> missing;
        std::int64_t next = -1;
        static Mixed decode(Decoder& decoder) {
            auto c = decoder.unkeyedContainer();
            Mixed mixed;
            EXPECT_EQ(c.count(), 4);
            EXPECT_THROW(c.decode<std::string>(), DecodingError);
            EXPECT_EQ(c.currentIndex(), 0);
            mixed.number = c.decode<std::int64_t>();
            EXPECT_TRUE(c.decodeNil());
            EXPECT_FALSE(c.decodeNil());
            mixed.missing = c.decodeIfPresent<std::string>();
            mixed.next = c.decode<std::int64_t>();
            EXPECT_TRUE(c.isAtEnd());
            EXPECT_EQ(c.decodeIfPresent<std::string>(), std::nullopt);
            try {
                c.decode<std::int64_t>();
                ADD_FAILURE() << "read past the end";
            } catch (const DecodingError& error) {
                EXPECT_EQ(error.kind(), DecodingError::Kind::valueNotFound);
                EXPECT_EQ(describePath(error.codingPath()), "Index 4");
            }
            return mixed;
        }
    };
    const auto mixed = JsonDecoder().decode<Mixed>(R"([1, null, "", 7])");
    EXPECT_EQ(mixed.number, 1);
    EXPECT_EQ(mixed.missing, "");
    EXPECT_EQ(mixed.next, 7);
}

// ---- misuse stops the program ----

struct KeyedThenUnkeyed {
    void encode(Encoder& encoder) const {
        encoder.container(Address::keys);
        encoder.unkeyedContainer();
    }
};

struct TwoSingleValues {
    void encode(Encoder& encoder) const {
        auto c = encoder.singleValueContainer();
        c.encode(std::int64_t{1});
        c.encode(std::int64_t{2});
    }
};

struct SingleValueThenKeyed {
    void encode(Encoder& encoder) const {
        encoder.singleValueContainer().encodeNil();
        encoder.container(Address::keys);
    }
};

struct NestedOverAValue {
    void encode(Encoder& encoder) const {
        auto c = encoder.container(Address::keys);
        c.encode(std::int64_t{1}, Address::keyCity);
        c.nestedContainer(Address::keys, Address::keyCity);
    }
};

TEST(JsonContainersDeathTest, MisuseOfTheInterfaceStops) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(JsonEncoder().encode(KeyedThenUnkeyed{}),
                 "Attempt to push new unkeyed encoding container when already previously encoded at this path");
    EXPECT_DEATH(JsonEncoder().encode(TwoSingleValues{}),
                 "Attempt to encode value through single value container when previously value already encoded");
    EXPECT_DEATH(JsonEncoder().encode(Field<SingleValueThenKeyed>{}),
                 "Attempt to push new keyed encoding container when already previously encoded at this path");
    EXPECT_DEATH(JsonEncoder().encode(NestedOverAValue{}), "Attempt to re-encode into nested keyed container");
}

} // namespace
} // namespace jsontest
