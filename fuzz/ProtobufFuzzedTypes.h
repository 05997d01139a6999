#pragma once

// What the protobuf decoder's fuzz target decodes: the records of the protobuf tests (every kind
// of field the protobuf-compatible form writes, explicit presence, a oneof) and a tree of them, so
// that nesting runs deep, lists hold lists and maps take both their forms, and a tree of records
// that read their own lists element by element. The first byte of an input chooses among them.

#include "FuzzCheck.h"
#include "protobuf/ProtobufTestRecords.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace protofuzz {

using fuzzing::fail;

using prototest::Choice;
using prototest::Choosing;
using prototest::CodingKey;
using prototest::Everything;
using prototest::KeySet;

struct Tree {
    Everything fields;
    std::vector<Tree> children;
    std::map<bool, std::string> byFlag; // the unkeyed form of a map
    std::vector<std::vector<std::int32_t>> lists;
    std::optional<Choice> choice; // its cases are fields 30 to 32

    static inline const CodingKey keyFields{"fields", 1}, keyChildren{"children", 2}, keyByFlag{"byFlag", 3},
        keyLists{"lists", 4}, keyChoice{"choice", 29};
    static inline const KeySet keys{keyFields, keyChildren, keyByFlag, keyLists, keyChoice};

    void encode(coding::Encoder& encoder) const {
        auto c = encoder.container(keys);
        c.encode(fields, keyFields);
        c.encode(children, keyChildren);
        c.encode(byFlag, keyByFlag);
        c.encode(lists, keyLists);
        c.encodeIfPresent(choice, keyChoice);
    }
    static Tree decode(coding::Decoder& decoder) {
        auto c = decoder.container(keys);
        return Tree{c.decode<Everything>(keyFields), c.decode<std::vector<Tree>>(keyChildren),
                    c.decode<std::map<bool, std::string>>(keyByFlag),
                    c.decode<std::vector<std::vector<std::int32_t>>>(keyLists), c.decodeIfPresent<Choice>(keyChoice)};
    }
};

// Records within each other that read their nested records and then their own lists element by
// element, asking whether a list is at its end before they say what its elements are: an empty
// length-delimited occurrence is then an empty packed run of numbers, or an empty text.
struct OwnLists {
    std::vector<OwnLists> children;
    std::vector<std::int64_t> numbers;
    std::vector<std::string> texts;

    static inline const CodingKey keyNumbers{"numbers", 1}, keyChildren{"children", 2}, keyTexts{"texts", 3};
    static inline const KeySet keys{keyNumbers, keyChildren, keyTexts};

    void encode(coding::Encoder& encoder) const {
        auto c = encoder.container(keys);
        c.encode(numbers, keyNumbers);
        c.encode(children, keyChildren);
        c.encode(texts, keyTexts);
    }
    static OwnLists decode(coding::Decoder& decoder) {
        auto c = decoder.container(keys);
        OwnLists result{c.decode<std::vector<OwnLists>>(keyChildren), {}, {}};
        auto numbers = c.nestedUnkeyedContainer(keyNumbers);
        while (!numbers.isAtEnd())
            result.numbers.push_back(numbers.decode<std::int64_t>());
        auto texts = c.nestedUnkeyedContainer(keyTexts);
        while (!texts.isAtEnd())
            result.texts.push_back(texts.decode<std::string>());
        return result;
    }
};

inline constexpr unsigned typeCount = 8;

// Calls `visit` with a value of the type numbered `choice` (modulo typeCount).
template <class Visit>
void withType(unsigned choice, Visit&& visit) {
    switch (choice % typeCount) {
    case 0: return visit(Tree());
    case 1: return visit(Everything());
    case 2: return visit(Choosing());
    case 3: return visit(std::vector<Tree>());
    case 4: return visit(std::map<std::string, Tree>());
    case 5: return visit(std::vector<std::string>());
    case 6: return visit(std::int64_t());
    default: return visit(OwnLists());
    }
}

// A decoded value must encode, and its bytes must decode to a value that encodes to the very
// same bytes.
template <class T>
void checkReencodes(const T& value) {
    coding::Data first;
    try {
        first = coding::ProtobufEncoder().encode(value);
    } catch (const coding::CodingError&) {
        fail("a decoded value does not encode");
    }
    try {
        const T again = coding::ProtobufDecoder().decode<T>(first);
        if (coding::ProtobufEncoder().encode(again) != first)
            fail("a decoded value re-encodes to other bytes");
    } catch (const coding::CodingError&) {
        fail("the encoding of a decoded value does not decode");
    }
}

} // namespace protofuzz
