#pragma once

// Small records of the tests' own, covering the shapes real records take.

#include "coding/Coding.h"
#include "coding/json/JsonDecoder.h"
#include "coding/json/JsonEncoder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace jsontest {

using coding::CodingKey;
using coding::Decoder;
using coding::Encoder;
using coding::KeySet;

struct Address {
    std::string city;
    std::optional<std::string> street;

    static inline const CodingKey keyCity{"city"}, keyStreet{"street"};
    static inline const KeySet keys{keyCity, keyStreet};

    void encode(Encoder& encoder) const {
        auto c = encoder.container(keys);
        c.encode(city, keyCity);
        c.encodeIfPresent(street, keyStreet);
    }
    static Address decode(Decoder& decoder) {
        auto c = decoder.container(keys);
        return Address{c.decode<std::string>(keyCity), c.decodeIfPresent<std::string>(keyStreet)};
    }
    friend bool operator==(const Address&, const Address&) = default;
};

struct Person {
    std::string name;
    std::int64_t age = 0;
    bool active = false;
    double score = 0;
    std::vector<Address> addresses;
    std::optional<std::int32_t> rank; // written as null when absent

    static inline const CodingKey keyName{"name"}, keyAge{"age"}, keyActive{"active"}, keyScore{"score"},
        keyAddresses{"addresses"}, keyRank{"rank"};
    static inline const KeySet keys{keyName, keyAge, keyActive, keyScore, keyAddresses, keyRank};

    void encode(Encoder& encoder) const {
        auto c = encoder.container(keys);
        c.encode(name, keyName);
        c.encode(age, keyAge);
        c.encode(active, keyActive);
        c.encode(score, keyScore);
        c.encode(addresses, keyAddresses);
        c.encode(rank, keyRank);
    }
    static Person decode(Decoder& decoder) {
        auto c = decoder.container(keys);
        return Person{c.decode<std::string>(keyName),         c.decode<std::int64_t>(keyAge),
                      c.decode<bool>(keyActive),              c.decode<double>(keyScore),
                      c.decode<std::vector<Address>>(keyAddresses), c.decode<std::optional<std::int32_t>>(keyRank)};
    }
    friend bool operator==(const Person&, const Person&) = default;
};

struct Team {
    std::string title;
    std::vector<Person> people;
    std::map<std::string, Person> byRole;

    static inline const CodingKey keyTitle{"title"}, keyPeople{"people"}, keyByRole{"byRole"};
    static inline const KeySet keys{keyTitle, keyPeople, keyByRole};

    void encode(Encoder& encoder) const {
        auto c = encoder.container(keys);
        c.encode(title, keyTitle);
        c.encode(people, keyPeople);
        c.encode(byRole, keyByRole);
    }
    static Team decode(Decoder& decoder) {
        auto c = decoder.container(keys);
        return Team{c.decode<std::string>(keyTitle), c.decode<std::vector<Person>>(keyPeople),
                    c.decode<std::map<std::string, Person>>(keyByRole)};
    }
    friend bool operator==(const Team&, const Team&) = default;
};

// Decodes a single field of type T at key "v", to reach one value through a keyed container.
template <class T>
struct Field {
    T v{};

    static inline const CodingKey keyV{"v"};
    static inline const KeySet keys{keyV};

    void encode(Encoder& encoder) const { encoder.container(keys).encode(v, keyV); }
    static Field decode(Decoder& decoder) { return Field{decoder.container(keys).decode<T>(keyV)}; }
    friend bool operator==(const Field&, const Field&) = default;
};

inline std::string text(const coding::Data& data) { return std::string(data.view()); }

template <class T>
std::string encodeToText(const T& value) {
    return text(coding::JsonEncoder().encode(value));
}

template <class T>
T roundTrip(const T& value) {
    return coding::JsonDecoder().decode<T>(coding::JsonEncoder().encode(value));
}

// The error decoding `json` as T raises; fails the test when there is none.
template <class T>
std::optional<coding::DecodingError> decodingError(std::string_view json) {
    try {
        coding::JsonDecoder().decode<T>(json);
    } catch (const coding::DecodingError& error) {
        return error;
    }
    ADD_FAILURE() << "decoding " << json << " did not fail";
    return std::nullopt;
}

template <class T>
std::optional<coding::EncodingError> encodingError(const T& value) {
    try {
        coding::JsonEncoder().encode(value);
    } catch (const coding::EncodingError& error) {
        return error;
    }
    ADD_FAILURE() << "encoding did not fail";
    return std::nullopt;
}

} // namespace jsontest
