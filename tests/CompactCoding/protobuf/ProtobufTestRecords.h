#pragma once

// Small records with numbered keys for the tests of the protobuf-compatible coders and its fuzz
// target.

#include "CompactCoding/protobuf/ProtobufDecoder.h"
#include "CompactCoding/protobuf/ProtobufEncoder.h"
#include "coding/Coding.h"
#include "coding/DecodingError.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace prototest {

using Bytes = std::vector<std::uint8_t>;
using coding::CodingKey;
using coding::KeySet;

inline Bytes bytes(std::initializer_list<int> values) {
    Bytes out;
    for (int value : values)
        out.push_back(static_cast<std::uint8_t>(value));
    return out;
}

inline Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// -1 as protobuf writes an int64 or int32: ten bytes.
inline const Bytes tenForMinusOne = bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x01});

// The error of type E that `run` throws; none when it throws none.
template <class E, class Run>
std::optional<E> thrown(Run&& run) {
    try {
        run();
    } catch (const E& error) {
        return error;
    }
    return std::nullopt;
}

// A one-byte tag, then `payload` behind its byte count.
inline Bytes lengthDelimited(std::uint8_t tag, const Bytes& payload) {
    Bytes out{tag};
    for (std::size_t size = payload.size(); out.size() == 1 || size != 0; size >>= 7)
        out.push_back(static_cast<std::uint8_t>((size & 0x7F) | (size >> 7 != 0 ? 0x80 : 0)));
    out.insert(out.end(), payload.begin(), payload.end());
    return out;
}

template <class T>
Bytes encoded(const T& value, bool sorted = false) {
    coding::ProtobufEncoder encoder;
    if (sorted)
        encoder.userInfo["sort"] = true;
    return encoder.encode(value).bytes;
}

template <class T>
T decoded(const Bytes& input) {
    return coding::ProtobufDecoder().decode<T>(input);
}

// Runs a test's checks inside a decoding call, on the decoder the call hands out.
struct Probe {
    static inline std::function<void(coding::Decoder&)> body;
    static Probe decode(coding::Decoder& decoder) {
        body(decoder);
        return {};
    }
};

inline void probe(const Bytes& input, std::function<void(coding::Decoder&)> body) {
    Probe::body = std::move(body);
    coding::ProtobufDecoder().decode<Probe>(input);
}

// A message of one field, number `Number`.
template <std::int64_t Number, class T>
struct Field {
    T value{};

    static inline const CodingKey key{"value", Number};
    static inline const KeySet keys{key};

    void encode(coding::Encoder& encoder) const { encoder.container(keys).encode(value, key); }
    static Field decode(coding::Decoder& decoder) { return Field{decoder.container(keys).decode<T>(key)}; }
    friend bool operator==(const Field&, const Field&) = default;
};

// The same with explicit presence: written with encodeIfPresent, read with decodeIfPresent.
template <std::int64_t Number, class T>
struct Present {
    std::optional<T> value;

    static inline const CodingKey key{"value", Number};
    static inline const KeySet keys{key};

    void encode(coding::Encoder& encoder) const { encoder.container(keys).encodeIfPresent(value, key); }
    static Present decode(coding::Decoder& decoder) { return Present{decoder.container(keys).decodeIfPresent<T>(key)}; }
    friend bool operator==(const Present&, const Present&) = default;
};

// Two fields; the worked example's nested record.
struct Inner {
    std::int64_t number = 0;
    std::string text;

    static inline const CodingKey keyNumber{"number", 1}, keyText{"text", 2};
    static inline const KeySet keys{keyNumber, keyText};

    void encode(coding::Encoder& encoder) const {
        auto c = encoder.container(keys);
        c.encode(number, keyNumber);
        c.encode(text, keyText);
    }
    static Inner decode(coding::Decoder& decoder) {
        auto c = decoder.container(keys);
        return Inner{c.decode<std::int64_t>(keyNumber), c.decode<std::string>(keyText)};
    }
    friend bool operator==(const Inner&, const Inner&) = default;
};

// A oneof: an integer (field 30), a text (field 31) or a record (field 32).
struct Choice {
    static constexpr bool isOneOf = true;

    std::variant<std::int64_t, std::string, Inner> value;

    static inline const CodingKey keyNumber{"number", 30}, keyText{"text", 31}, keyInner{"inner", 32};
    static inline const KeySet keys{keyNumber, keyText, keyInner};
    static inline const CodingKey valueKey{"_0"};
    static inline const KeySet valueKeys{valueKey};

    void encode(coding::Encoder& encoder) const {
        auto c = encoder.container(keys);
        const CodingKey& key = value.index() == 0 ? keyNumber : value.index() == 1 ? keyText : keyInner;
        auto inner = c.nestedContainer(valueKeys, key);
        std::visit([&](const auto& v) { inner.encode(v, valueKey); }, value);
    }
    static Choice decode(coding::Decoder& decoder) {
        auto c = decoder.container(keys);
        const auto present = c.allKeys();
        if (present.empty())
            throw coding::DecodingError::valueNotFound("Choice", {c.codingPath(), "No case of Choice", nullptr});
        auto inner = c.nestedContainer(valueKeys, present.front());
        if (present.front() == keyNumber)
            return Choice{inner.decode<std::int64_t>(valueKey)};
        if (present.front() == keyText)
            return Choice{inner.decode<std::string>(valueKey)};
        return Choice{inner.decode<Inner>(valueKey)};
    }
    friend bool operator==(const Choice&, const Choice&) = default;
};

// A record of every kind of field protobuf knows, named and numbered as in the interop test's
// definition.
struct Everything {
    bool flag = false;
    std::int32_t int32 = 0;
    std::int64_t int64 = 0;
    std::uint32_t uint32 = 0;
    std::uint64_t uint64 = 0;
    float real32 = 0;
    double real64 = 0;
    std::string text;
    coding::Data blob;
    coding::FixedSize<std::int32_t> sfixed32;
    coding::FixedSize<std::int64_t> sfixed64;
    coding::FixedSize<std::uint32_t> fixed32;
    coding::FixedSize<std::uint64_t> fixed64;
    coding::SignedValue<std::int32_t> sint32;
    coding::SignedValue<std::int64_t> sint64;
    Inner inner;
    std::vector<std::int64_t> numbers;       // packed
    std::vector<std::string> texts;          // one occurrence each
    std::vector<Inner> inners;
    std::map<std::string, std::int64_t> byName;
    std::map<std::int64_t, Inner> byNumber;
    std::optional<std::int64_t> maybe;       // explicit presence

    static inline const CodingKey keyFlag{"flag", 1}, keyInt32{"int32", 2}, keyInt64{"int64", 3},
        keyUInt32{"uint32", 4}, keyUInt64{"uint64", 5}, keyReal32{"real32", 6}, keyReal64{"real64", 7},
        keyText{"text", 8}, keyBlob{"blob", 9}, keySFixed32{"sfixed32", 10}, keySFixed64{"sfixed64", 11},
        keyFixed32{"fixed32", 12}, keyFixed64{"fixed64", 13}, keySInt32{"sint32", 14}, keySInt64{"sint64", 15},
        keyInner{"inner", 16}, keyNumbers{"numbers", 17}, keyTexts{"texts", 18}, keyInners{"inners", 19},
        keyByName{"byName", 20}, keyByNumber{"byNumber", 21}, keyMaybe{"maybe", 22};
    static inline const KeySet keys{keyFlag,    keyInt32,    keyInt64,   keyUInt32,  keyUInt64, keyReal32,
                                    keyReal64,  keyText,     keyBlob,    keySFixed32, keySFixed64, keyFixed32,
                                    keyFixed64, keySInt32,   keySInt64,  keyInner,   keyNumbers, keyTexts,
                                    keyInners,  keyByName,   keyByNumber, keyMaybe};

    void encode(coding::Encoder& encoder) const {
        auto c = encoder.container(keys);
        c.encode(flag, keyFlag);
        c.encode(int32, keyInt32);
        c.encode(int64, keyInt64);
        c.encode(uint32, keyUInt32);
        c.encode(uint64, keyUInt64);
        c.encode(real32, keyReal32);
        c.encode(real64, keyReal64);
        c.encode(text, keyText);
        c.encode(blob, keyBlob);
        c.encode(sfixed32, keySFixed32);
        c.encode(sfixed64, keySFixed64);
        c.encode(fixed32, keyFixed32);
        c.encode(fixed64, keyFixed64);
        c.encode(sint32, keySInt32);
        c.encode(sint64, keySInt64);
        c.encode(inner, keyInner);
        c.encode(numbers, keyNumbers);
        c.encode(texts, keyTexts);
        c.encode(inners, keyInners);
        c.encode(byName, keyByName);
        c.encode(byNumber, keyByNumber);
        c.encodeIfPresent(maybe, keyMaybe);
    }
    static Everything decode(coding::Decoder& decoder) {
        auto c = decoder.container(keys);
        Everything e;
        e.flag = c.decode<bool>(keyFlag);
        e.int32 = c.decode<std::int32_t>(keyInt32);
        e.int64 = c.decode<std::int64_t>(keyInt64);
        e.uint32 = c.decode<std::uint32_t>(keyUInt32);
        e.uint64 = c.decode<std::uint64_t>(keyUInt64);
        e.real32 = c.decode<float>(keyReal32);
        e.real64 = c.decode<double>(keyReal64);
        e.text = c.decode<std::string>(keyText);
        e.blob = c.decode<coding::Data>(keyBlob);
        e.sfixed32 = c.decode<coding::FixedSize<std::int32_t>>(keySFixed32);
        e.sfixed64 = c.decode<coding::FixedSize<std::int64_t>>(keySFixed64);
        e.fixed32 = c.decode<coding::FixedSize<std::uint32_t>>(keyFixed32);
        e.fixed64 = c.decode<coding::FixedSize<std::uint64_t>>(keyFixed64);
        e.sint32 = c.decode<coding::SignedValue<std::int32_t>>(keySInt32);
        e.sint64 = c.decode<coding::SignedValue<std::int64_t>>(keySInt64);
        e.inner = c.decode<Inner>(keyInner);
        e.numbers = c.decode<std::vector<std::int64_t>>(keyNumbers);
        e.texts = c.decode<std::vector<std::string>>(keyTexts);
        e.inners = c.decode<std::vector<Inner>>(keyInners);
        e.byName = c.decode<std::map<std::string, std::int64_t>>(keyByName);
        e.byNumber = c.decode<std::map<std::int64_t, Inner>>(keyByNumber);
        e.maybe = c.decodeIfPresent<std::int64_t>(keyMaybe);
        return e;
    }
    friend bool operator==(const Everything&, const Everything&) = default;
};

// A value of every field, negatives and defaults among them.
inline Everything everything() {
    Everything e;
    e.flag = true;
    e.int32 = -5;
    e.int64 = -1;
    e.uint32 = 4000000000u;
    e.uint64 = ~std::uint64_t{0};
    e.real32 = 1.5f;
    e.real64 = -2.25;
    e.text = "말씀";
    e.blob = coding::Data{0, 1, 2, 0xFF};
    e.sfixed32 = -7;
    e.sfixed64 = std::int64_t{-1} << 40;
    e.fixed32 = 9u;
    e.fixed64 = std::uint64_t{1} << 63;
    e.sint32 = -2147483647 - 1;
    e.sint64 = -3;
    e.inner = Inner{150, "hi"};
    e.numbers = {1, 0, -1, 300};
    e.texts = {"a", "", "c"};
    e.inners = {Inner{1, ""}, Inner{}, Inner{-2, "x"}};
    e.byName = {{"", 0}, {"one", 1}, {"minus", -1}};
    e.byNumber = {{-1, Inner{1, "neg"}}, {0, Inner{}}, {7, Inner{7, ""}}};
    e.maybe = 0;
    return e;
}

// An identifier and a oneof whose cases stand as fields 30 to 32 beside it.
struct Choosing {
    std::int64_t id = 0;
    std::optional<Choice> choice;

    static inline const CodingKey keyId{"id", 1}, keyChoice{"choice", 29};
    static inline const KeySet keys{keyId, keyChoice};

    void encode(coding::Encoder& encoder) const {
        auto c = encoder.container(keys);
        c.encode(id, keyId);
        c.encodeIfPresent(choice, keyChoice);
    }
    static Choosing decode(coding::Decoder& decoder) {
        auto c = decoder.container(keys);
        return Choosing{c.decode<std::int64_t>(keyId), c.decodeIfPresent<Choice>(keyChoice)};
    }
    friend bool operator==(const Choosing&, const Choosing&) = default;
};

// Repeated numbers, each list under its own field.
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
    static Everythings decode(coding::Decoder& decoder) {
        auto c = decoder.container(keys);
        return Everythings{c.decode<std::vector<Everything>>(keyItems),
                           c.decode<std::map<std::int64_t, Everything>>(keyByNumber)};
    }
    friend bool operator==(const Everythings&, const Everythings&) = default;
};

// A tree of records, each holding a plain nested record that holds one in turn: data that leaves
// `fields` out makes a record of defaults at every level, read from no bytes.
struct Branch {
    Everything fields;
    std::vector<Branch> children;

    static inline const CodingKey keyFields{"fields", 1}, keyChildren{"children", 2};
    static inline const KeySet keys{keyFields, keyChildren};

    void encode(coding::Encoder& encoder) const {
        auto c = encoder.container(keys);
        c.encode(fields, keyFields);
        c.encode(children, keyChildren);
    }
    static Branch decode(coding::Decoder& decoder) {
        auto c = decoder.container(keys);
        return Branch{c.decode<Everything>(keyFields), c.decode<std::vector<Branch>>(keyChildren)};
    }
    friend bool operator==(const Branch&, const Branch&) = default;
};

// A number that is never zero, read through a single value as a raw-value enumeration with no case
// 0 reads itself: nothing in its type tells the decoder that it is a number, and it refuses the
// zero a list hands out for an element that is not there.
// A Positive's refusal of a zero.
struct ZeroRefused : coding::DecodingError {
    explicit ZeroRefused(coding::DecodingError error) : DecodingError(std::move(error)) {}
};

// Runs `read`; a zero it refused stands under `key`, so that the refusal tells where it was made
// (the differential fuzz target checks that libprotobuf read a zero there).
template <class Read>
auto under(const CodingKey& key, Read&& read) -> decltype(read()) {
    try {
        return read();
    } catch (ZeroRefused& error) {
        error.prependKey(key);
        throw;
    }
}

// A list read by hand, element by element, into `into`.
template <class T>
void readElements(coding::UnkeyedDecodingContainer& list, std::vector<T>& into) {
    while (!list.isAtEnd())
        into.push_back(under(CodingKey::index(static_cast<std::int64_t>(into.size())), [&] { return list.decode<T>(); }));
}

struct Positive {
    std::int64_t value = 1;

    void encode(coding::Encoder& encoder) const { encoder.singleValueContainer().encode(value); }
    static Positive decode(coding::Decoder& decoder) {
        auto c = decoder.singleValueContainer();
        const auto value = c.decode<std::int64_t>();
        if (value == 0)
            throw ZeroRefused(
                coding::DecodingError::dataCorrupted(c.codingPath(), "Cannot initialize Positive from invalid Int value 0"));
        return Positive{value};
    }
    friend bool operator==(const Positive&, const Positive&) = default;
};

// Records within each other, each reading its children (field 3) and then two lists of Positive
// whose empty packed runs hold nothing: `typed` (field 1) as a list type, `byHand` (field 2) by its
// own code, element by element. It counts how often its decode runs.
struct Positives {
    std::vector<Positive> typed;
    std::vector<Positive> byHand;
    std::vector<Positives> children;

    static inline const CodingKey keyTyped{"typed", 1}, keyByHand{"byHand", 2}, keyChildren{"children", 3};
    static inline const KeySet keys{keyTyped, keyByHand, keyChildren};
    static inline int decodes = 0;

    void encode(coding::Encoder& encoder) const {
        auto c = encoder.container(keys);
        c.encode(typed, keyTyped);
        c.encode(byHand, keyByHand);
        c.encode(children, keyChildren);
    }
    static Positives decode(coding::Decoder& decoder) {
        ++decodes;
        auto c = decoder.container(keys);
        Positives result;
        result.children = under(keyChildren, [&] { return c.decode<std::vector<Positives>>(keyChildren); });
        result.typed = under(keyTyped, [&] { return c.decode<std::vector<Positive>>(keyTyped); });
        auto list = c.nestedUnkeyedContainer(keyByHand);
        under(keyByHand, [&] { readElements(list, result.byHand); });
        return result;
    }
    friend bool operator==(const Positives&, const Positives&) = default;
};

// `levels` branches within the root, one within the other; the innermost holds `innermost`.
inline Bytes nestedBranches(int levels, const Bytes& innermost = {}) {
    Bytes branch = innermost;
    for (int level = 0; level < levels; ++level)
        branch = lengthDelimited(0x12, branch);
    return branch;
}

// ---- Records written every way the coding interface allows (see the coding design) ----

// How a Tree makes the keys it reads through, and how it reads its lists.
enum class Way {
    staticKeys,       // static keys, lists read by hand element by element
    keysInDecode,     // a key set made in decode, as a local
    keysThatDie,      // keys held by a pointer, gone (with the container) before the lists are read
    sharedKeys,       // one key set for every Tree of this way, whatever its element type
    dictionaryKeys,   // the keys read from the data: KeySet::integerDictionaryKeys()
    catchingAll,      // catches every error of a list and keeps the elements read before it
    typed,            // std::vector, read by the library
};

inline const CodingKey treeKeyA{"a", 1}, treeKeyChildren{"children", 2};
inline const KeySet sharedTreeKeys{treeKeyA, treeKeyChildren};

// A record of a list `a` (field 1) of A and its children (field 2), read children first, then `a`,
// the way `how` says. It counts how often its decode runs.
template <Way how, class A>
struct Tree {
    std::vector<A> a;
    std::vector<Tree> children;

    static inline int decodes = 0;

    void encode(coding::Encoder& encoder) const {
        auto c = encoder.container(sharedTreeKeys);
        c.encode(a, treeKeyA);
        c.encode(children, treeKeyChildren);
    }
    static Tree decode(coding::Decoder& decoder) {
        ++decodes;
        Tree result;
        if constexpr (how == Way::keysInDecode) {
            const KeySet keys{treeKeyA, treeKeyChildren};
            auto c = decoder.container(keys);
            readByHand(treeKeyChildren, c.nestedUnkeyedContainer(treeKeyChildren), result.children);
            readByHand(treeKeyA, c.nestedUnkeyedContainer(treeKeyA), result.a);
        } else if constexpr (how == Way::keysThatDie) {
            auto keys = std::make_unique<KeySet>(KeySet{treeKeyA, treeKeyChildren});
            auto c = std::make_unique<coding::KeyedDecodingContainer>(decoder.container(*keys));
            auto children = c->nestedUnkeyedContainer(treeKeyChildren);
            auto a = c->nestedUnkeyedContainer(treeKeyA);
            c.reset();
            keys.reset();
            readByHand(treeKeyChildren, std::move(children), result.children);
            readByHand(treeKeyA, std::move(a), result.a);
        } else if constexpr (how == Way::dictionaryKeys) {
            auto c = decoder.container(KeySet::integerDictionaryKeys());
            for (const CodingKey& key : c.allKeys()) {
                if (key.intValue == 2)
                    readByHand(treeKeyChildren, c.nestedUnkeyedContainer(key), result.children);
                else if (key.intValue == 1)
                    readByHand(treeKeyA, c.nestedUnkeyedContainer(key), result.a);
            }
        } else if constexpr (how == Way::typed) {
            auto c = decoder.container(sharedTreeKeys);
            result.children = under(treeKeyChildren, [&] { return c.decode<std::vector<Tree>>(treeKeyChildren); });
            result.a = under(treeKeyA, [&] { return c.decode<std::vector<A>>(treeKeyA); });
        } else {
            static const KeySet ownKeys{treeKeyA, treeKeyChildren};
            auto c = decoder.container(how == Way::sharedKeys ? sharedTreeKeys : ownKeys);
            readByHand(treeKeyChildren, c.nestedUnkeyedContainer(treeKeyChildren), result.children);
            readByHand(treeKeyA, c.nestedUnkeyedContainer(treeKeyA), result.a);
        }
        return result;
    }
    template <class T>
    static void readByHand(const CodingKey& key, coding::UnkeyedDecodingContainer list, std::vector<T>& into) {
        try {
            under(key, [&] { readElements(list, into); });
        } catch (...) {
            if (how != Way::catchingAll)
                throw;
        }
    }
    friend bool operator==(const Tree&, const Tree&) = default;
};

// A record that reads its list (field 1) as numbers, or as texts when its field 3 is true.
struct Switch {
    std::vector<Positive> numbers;
    std::vector<std::string> texts;

    static inline const CodingKey keyList{"list", 1}, keyAsTexts{"asTexts", 3};
    static inline const KeySet keys{keyList, keyAsTexts};

    void encode(coding::Encoder& encoder) const {
        auto c = encoder.container(keys);
        if (texts.empty()) {
            c.encode(numbers, keyList);
        } else {
            c.encode(texts, keyList);
            c.encode(true, keyAsTexts);
        }
    }
    static Switch decode(coding::Decoder& decoder) {
        auto c = decoder.container(keys);
        Switch result;
        auto list = c.nestedUnkeyedContainer(keyList);
        const bool asTexts = c.decode<bool>(keyAsTexts);
        under(keyList, [&] {
            if (asTexts)
                readElements(list, result.texts);
            else
                readElements(list, result.numbers);
        });
        return result;
    }
    friend bool operator==(const Switch&, const Switch&) = default;
};

// Two records of one key set, which read its field 1 as numbers and as texts.
struct SharedTrees {
    Tree<Way::sharedKeys, Positive> numbers;
    Tree<Way::sharedKeys, std::string> texts;

    static inline const CodingKey keyNumbers{"numbers", 1}, keyTexts{"texts", 2};
    static inline const KeySet keys{keyNumbers, keyTexts};

    void encode(coding::Encoder& encoder) const {
        auto c = encoder.container(keys);
        c.encode(numbers, keyNumbers);
        c.encode(texts, keyTexts);
    }
    static SharedTrees decode(coding::Decoder& decoder) {
        auto c = decoder.container(keys);
        auto numbers = under(keyNumbers, [&] { return c.decode<Tree<Way::sharedKeys, Positive>>(keyNumbers); });
        return SharedTrees{std::move(numbers), c.decode<Tree<Way::sharedKeys, std::string>>(keyTexts)};
    }
    friend bool operator==(const SharedTrees&, const SharedTrees&) = default;
};

} // namespace prototest
